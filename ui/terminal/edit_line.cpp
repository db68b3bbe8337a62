#include "ui/terminal/edit_line.h"

#include <algorithm>

namespace terminal {

void EditLine::Clamp(const std::string& text) {
  cursor_ = std::clamp(cursor_, 0, static_cast<int>(text.size()));
  if (text.empty()) all_selected_ = false;
}

void EditLine::Focus(const std::string& text, bool select_all) {
  cursor_ = static_cast<int>(text.size());
  all_selected_ = select_all && !text.empty();
}

void EditLine::Click(const std::string& text, int column) {
  cursor_ = scroll_ + std::max(0, column);
  all_selected_ = false;
  Clamp(text);
}

bool EditLine::DeleteSelection(std::string& text) {
  if (!all_selected_) return false;
  text.clear();
  cursor_ = 0;
  all_selected_ = false;
  return true;
}

bool EditLine::HandleKey(std::string& text, const InputEvent& e) {
  if (e.type != InputEvent::Type::kKey || e.alt) return false;
  Clamp(text);
  const int size = static_cast<int>(text.size());
  switch (e.key) {
    case Key::kChar:
      if (!IsPrintable(static_cast<unsigned char>(e.ch))) return false;
      DeleteSelection(text);
      if (text.size() >= kMaxTypedChars) return true;  // full: the key is taken, nothing added
      text.insert(static_cast<std::size_t>(cursor_), 1, e.ch);
      ++cursor_;
      return true;
    case Key::kBackspace:
      if (!DeleteSelection(text) && cursor_ > 0) {
        text.erase(static_cast<std::size_t>(cursor_ - 1), 1);
        --cursor_;
      }
      return true;
    case Key::kDelete:
      if (!DeleteSelection(text) && cursor_ < size)
        text.erase(static_cast<std::size_t>(cursor_), 1);
      return true;
    case Key::kLeft:
      cursor_ = all_selected_ ? 0 : std::max(0, cursor_ - 1);
      break;
    case Key::kRight:
      cursor_ = all_selected_ ? size : std::min(size, cursor_ + 1);
      break;
    case Key::kHome:
      cursor_ = 0;
      break;
    case Key::kEnd:
      cursor_ = size;
      break;
    default:
      return false;
  }
  all_selected_ = false;
  return true;
}

void EditLine::Draw(CellGrid& grid, int x, int y, int width, const std::string& text,
                    bool focused) {
  Clamp(text);
  if (width <= 0) return;
  // Scroll just enough to keep the cursor inside the field.
  if (cursor_ < scroll_) scroll_ = cursor_;
  if (cursor_ >= scroll_ + width) scroll_ = cursor_ - width + 1;
  scroll_ = std::clamp(scroll_, 0, std::max(0, static_cast<int>(text.size())));
  const Style style = focused && all_selected_ ? Style::kFieldSelected : Style::kField;
  grid.Fill(Rect{x, y, width, 1}, ' ', Style::kField);
  if (static_cast<std::size_t>(scroll_) < text.size())
    grid.Text(x, y, std::string_view(text).substr(static_cast<std::size_t>(scroll_)), style, width);
  if (focused) grid.SetCursor(x + cursor_ - scroll_, y);
}

}  // namespace terminal
