#include "ui/terminal/multi_edit.h"

#include <algorithm>

#include "port/dialog_model.h"

namespace terminal {
namespace {

// The text area inside the frame, less the scroll bar column.
Rect TextArea(const Rect& r) {
  return Rect{r.x + 1, r.y + 1, r.w - 3, r.h - 2};
}

}  // namespace

std::vector<int> MultiEdit::LineStarts(const std::string& text,
                                       const std::vector<std::string>& lines) {
  // Wrapped lines follow each other in the text; a typed line end (LF or
  // CR LF) lies between two lines and belongs to neither.
  std::vector<int> starts;
  std::size_t pos = 0;
  for (const std::string& line : lines) {
    starts.push_back(static_cast<int>(pos));
    pos += line.size();
    if (text.compare(pos, 2, "\r\n") == 0)
      pos += 2;
    else if (pos < text.size() && text[pos] == '\n')
      pos += 1;
  }
  return starts;
}

MultiEdit::Pos MultiEdit::Locate(const std::vector<int>& starts) const {
  // The last line starting at or before the cursor; at a wrap point the
  // cursor shows at the start of the next line.
  int line = 0;
  for (int i = 0; i < static_cast<int>(starts.size()); ++i)
    if (starts[static_cast<std::size_t>(i)] <= cursor_) line = i;
  return Pos{line, cursor_ - starts[static_cast<std::size_t>(line)]};
}

void MultiEdit::Follow(int cursor_line, int rows) {
  if (cursor_line < top_) top_ = cursor_line;
  if (cursor_line >= top_ + rows) top_ = cursor_line - rows + 1;
  top_ = std::max(0, top_);
}

void MultiEdit::Focus(const std::string& text, bool select_all) {
  cursor_ = static_cast<int>(text.size());
  all_selected_ = select_all && !text.empty();
}

void MultiEdit::Click(const std::string& text, int columns, int column, int row) {
  const std::vector<std::string> lines = ui::DialogModel::WrapLines(text, columns);
  const std::vector<int> starts = LineStarts(text, lines);
  const int line = std::clamp(top_ + row, 0, static_cast<int>(lines.size()) - 1);
  const int len = static_cast<int>(lines[static_cast<std::size_t>(line)].size());
  cursor_ = starts[static_cast<std::size_t>(line)] + std::clamp(column, 0, len);
  all_selected_ = false;
}

bool MultiEdit::HandleKey(std::string& text, const InputEvent& e, int columns, int rows) {
  if (e.type != InputEvent::Type::kKey || e.alt) return false;
  cursor_ = std::clamp(cursor_, 0, static_cast<int>(text.size()));
  const bool typing =
      (e.key == Key::kChar && (IsPrintable(static_cast<unsigned char>(e.ch)) || e.ch == '\n')) ||
      e.key == Key::kBackspace || e.key == Key::kDelete;
  if (typing && all_selected_) {
    text.clear();
    cursor_ = 0;
    all_selected_ = false;
    if (e.key != Key::kChar) return true;
  }
  std::vector<std::string> lines = ui::DialogModel::WrapLines(text, columns);
  std::vector<int> starts = LineStarts(text, lines);
  const Pos at = Locate(starts);
  auto go_line = [&](int line) {
    line = std::clamp(line, 0, static_cast<int>(lines.size()) - 1);
    const auto index = static_cast<std::size_t>(line);
    int len = static_cast<int>(lines[index].size());
    // A wrapped line's end is the next line's start: stay before it.
    const bool wrapped = index + 1 < starts.size() && starts[index] + len == starts[index + 1];
    if (wrapped && len > 0) --len;
    cursor_ = starts[index] + std::min(at.column, len);
  };
  switch (e.key) {
    case Key::kChar:
      if (!IsPrintable(static_cast<unsigned char>(e.ch)) && e.ch != '\n') return false;
      text.insert(static_cast<std::size_t>(cursor_), 1, e.ch);
      ++cursor_;
      break;
    case Key::kBackspace:
      if (cursor_ > 0) {
        // A CR LF line end goes as one.
        const int n =
            cursor_ >= 2 && text.compare(static_cast<std::size_t>(cursor_ - 2), 2, "\r\n") == 0 ? 2
                                                                                                : 1;
        text.erase(static_cast<std::size_t>(cursor_ - n), static_cast<std::size_t>(n));
        cursor_ -= n;
      }
      break;
    case Key::kDelete:
      if (cursor_ < static_cast<int>(text.size())) {
        const int n = text.compare(static_cast<std::size_t>(cursor_), 2, "\r\n") == 0 ? 2 : 1;
        text.erase(static_cast<std::size_t>(cursor_), static_cast<std::size_t>(n));
      }
      break;
    case Key::kLeft:
      cursor_ = std::max(0, cursor_ - 1);
      break;
    case Key::kRight:
      cursor_ = std::min(static_cast<int>(text.size()), cursor_ + 1);
      break;
    case Key::kUp:
      go_line(at.line - 1);
      break;
    case Key::kDown:
      go_line(at.line + 1);
      break;
    case Key::kPageUp:
      go_line(at.line - std::max(1, rows - 1));
      break;
    case Key::kPageDown:
      go_line(at.line + std::max(1, rows - 1));
      break;
    case Key::kHome:
      cursor_ = starts[static_cast<std::size_t>(at.line)];
      break;
    case Key::kEnd:
      cursor_ = starts[static_cast<std::size_t>(at.line)] +
                static_cast<int>(lines[static_cast<std::size_t>(at.line)].size());
      break;
    default:
      return false;
  }
  // A cursor inside a CR LF pair steps over it.
  if (cursor_ > 0 && cursor_ < static_cast<int>(text.size()) &&
      text.compare(static_cast<std::size_t>(cursor_ - 1), 2, "\r\n") == 0)
    cursor_ += e.key == Key::kLeft ? -1 : 1;
  all_selected_ = false;
  lines = ui::DialogModel::WrapLines(text, columns);
  starts = LineStarts(text, lines);
  Follow(Locate(starts).line, rows);
  return true;
}

bool MultiEdit::HandleMouse(const InputEvent& e, const std::string& text, const Rect& r) {
  if (e.type != InputEvent::Type::kMouse) return false;
  const Rect area = TextArea(r);
  const int count = static_cast<int>(ui::DialogModel::WrapLines(text, area.w).size());
  int rows = 0;
  if (e.mouse != Mouse::kPress)
    rows = e.mouse == Mouse::kWheelUp ? -kWheelRows : kWheelRows;
  else if (e.x == area.right() && e.y >= area.y && e.y < area.bottom())
    rows = ScrollBarDelta(e.y - area.y, area.h, top_, area.h, count);
  else
    return false;
  top_ = std::clamp(top_ + rows, 0, std::max(0, count - area.h));
  return true;
}

void MultiEdit::Draw(CellGrid& grid, const Rect& r, const std::string& text, bool focused) {
  grid.Frame(r, Style::kFrame);
  const Rect area = TextArea(r);
  if (area.w <= 0 || area.h <= 0) return;
  cursor_ = std::clamp(cursor_, 0, static_cast<int>(text.size()));
  const std::vector<std::string> lines = ui::DialogModel::WrapLines(text, area.w);
  const std::vector<int> starts = LineStarts(text, lines);
  const int count = static_cast<int>(lines.size());
  top_ = std::clamp(top_, 0, std::max(0, count - area.h));
  const Style style = focused && all_selected_ ? Style::kFieldSelected : Style::kField;
  for (int row = 0; row < area.h; ++row) {
    grid.Fill(Rect{area.x, area.y + row, area.w, 1}, ' ', Style::kField);
    const int index = top_ + row;
    if (index < count)
      grid.Text(area.x, area.y + row, lines[static_cast<std::size_t>(index)], style, area.w);
  }
  DrawScrollBar(grid, area.right(), area.y, area.h, true, top_, area.h, count);
  if (focused) {
    const Pos at = Locate(starts);
    if (at.line >= top_ && at.line < top_ + area.h)
      grid.SetCursor(area.x + std::min(at.column, area.w - 1), area.y + at.line - top_);
  }
}

}  // namespace terminal
