#include "ui/terminal/log_box.h"

#include <algorithm>
#include <string>

#include "resources/log_menu.h"

namespace terminal {

namespace {

constexpr res::MenuItem kMenuItems[] = {{res::kLogCopy.id, res::kLogCopy.ascii_text},
                                        {res::kLogSave.id, res::kLogSave.ascii_text}};

}  // namespace

LogBox::LogBox() : menu_(kMenuItems) {}

void LogBox::Append(std::string_view line) {
  // A view that shows the newest line keeps showing it, as a tail does; one
  // scrolled back stays where the reader put it.
  const bool at_end = view_.rows_below() == 0;
  lines_.Append(line);
  widest_ = std::max(widest_, static_cast<int>(line.size()));
  UpdateContent();
  if (at_end) view_.ScrollTo(view_.max_top(), view_.left());
}

void LogBox::Clear() {
  lines_.Clear();
  selected_ = -1;
  widest_ = 0;
  view_.ScrollTo(0, 0);
  UpdateContent();
}

void LogBox::SetExtent(int cells) {
  extent_ = std::max(0, cells);
  UpdateContent();
}

void LogBox::UpdateContent() {
  // Text wider than the extent stays reachable: nothing is ever out of sight.
  view_.SetContent(static_cast<int>(lines_.size()), std::max(extent_, widest_));
}

void LogBox::Layout(const Rect& rect) {
  // A view that followed the newest line still does in its new size.
  const bool at_end = view_.rows_below() == 0;
  rect_ = rect;
  view_.Layout(Rect{rect.x + 1, rect.y + 1, rect.w - 2, rect.h - 2}, true, true);
  if (at_end) view_.ScrollTo(view_.max_top(), view_.left());
  // The menu opens below its box and stays inside the log.
  menu_.Place(0, 0);
  const int x = std::min(menu_box().x, rect.right() - 1 - menu_.rect().w);
  menu_.Place(std::max(rect.x, x), rect.y + 1);
}

bool LogBox::HandleMouse(const InputEvent& e) {
  if (view_.HandleMouse(e)) return true;
  const Rect& text = view_.text();
  if (e.mouse != Mouse::kPress || !text.Contains(e.x, e.y)) return false;
  const int line = view_.top() + e.y - text.y;
  if (line >= static_cast<int>(lines_.size())) return false;
  selected_ = line == selected_ ? -1 : line;
  return true;
}

void LogBox::Draw(CellGrid& grid) const {
  if (rect_.w < 4 || rect_.h < 4) return;
  grid.Frame(Rect{rect_.x, rect_.y, rect_.w, rect_.h}, Style::kFrame);
  const Style caption = focused_ ? Style::kCaptionActive : Style::kCaption;
  grid.Fill(Rect{rect_.x, rect_.y, rect_.w, 1}, ' ', caption);
  grid.Text(rect_.x + 1, rect_.y, kCaption, caption, rect_.w - 10);
  const Rect menu = menu_box();
  grid.Put(menu.x, menu.y, '[', caption);
  grid.Put(menu.x + 1, menu.y, '=', caption, Glyph::kMenuMark);
  grid.Put(menu.x + 2, menu.y, ']', caption);
  grid.Text(maximize_box().x, rect_.y, "[^]", caption);
  view_.DrawLines(grid, lines_, Style::kNormal, selected_);
  view_.DrawBars(grid);
  if (const int below = view_.rows_below(); below > 0) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely on " " + string.
    std::string more = " ";
    more += std::to_string(below);
    more += " more ";
    const int x = std::max(rect_.x + 1, rect_.right() - 2 - static_cast<int>(more.size()));
    grid.Text(x, rect_.bottom() - 1, more, Style::kFrame, rect_.right() - 1 - x);
  }
}

}  // namespace terminal
