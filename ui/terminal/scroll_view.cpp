#include "ui/terminal/scroll_view.h"

#include <algorithm>

namespace terminal {

void ScrollView::Layout(const Rect& inner, bool vbar, bool hbar) {
  inner_ = inner;
  vbar_ = vbar;
  hbar_ = hbar;
  text_ = Rect{inner.x, inner.y, std::max(0, inner.w - (vbar ? 1 : 0)),
               std::max(0, inner.h - (hbar ? 1 : 0))};
  ScrollTo(top_, left_);
}

void ScrollView::SetContent(int rows, int cols) {
  rows_ = std::max(0, rows);
  cols_ = std::max(0, cols);
  ScrollTo(top_, left_);
}

int ScrollView::max_top() const {
  return std::max(0, rows_ - text_.h);
}
int ScrollView::max_left() const {
  return std::max(0, cols_ - text_.w);
}
int ScrollView::rows_below() const {
  return std::max(0, rows_ - (top_ + text_.h));
}

void ScrollView::ScrollTo(int top, int left) {
  top_ = std::clamp(top, 0, max_top());
  left_ = std::clamp(left, 0, max_left());
}

void ScrollView::EnsureVisible(int row) {
  if (row < top_)
    ScrollTo(row, left_);
  else if (row >= top_ + text_.h)
    ScrollTo(row - text_.h + 1, left_);
}

bool ScrollView::HandleScrollKey(Key key) {
  const int page = std::max(1, text_.h - 1);
  switch (key) {
    case Key::kUp:
      ScrollBy(-1, 0);
      return true;
    case Key::kDown:
      ScrollBy(1, 0);
      return true;
    case Key::kPageUp:
      ScrollBy(-page, 0);
      return true;
    case Key::kPageDown:
      ScrollBy(page, 0);
      return true;
    case Key::kHome:
      ScrollTo(0, 0);
      return true;
    case Key::kEnd:
      ScrollTo(max_top(), left_);
      return true;
    case Key::kLeft:
      ScrollBy(0, -1);
      return true;
    case Key::kRight:
      ScrollBy(0, 1);
      return true;
    default:
      return false;
  }
}

int ScrollBarDelta(int pos, int length, int first, int visible, int total) {
  if (pos <= 0) return -1;
  if (pos >= length - 1) return 1;
  const int track = length - 2;
  if (total <= visible || track <= 0) return 0;
  const int page = std::max(1, visible - 1);
  const int thumb = std::clamp(track * visible / total, 1, track);
  const int at = (track - thumb) * first / (total - visible);
  if (pos - 1 < at) return -page;
  if (pos - 1 >= at + thumb) return page;
  return 0;
}

bool ScrollView::HandleMouse(const InputEvent& e) {
  if (e.type != InputEvent::Type::kMouse || !inner_.Contains(e.x, e.y)) return false;
  if (e.mouse == Mouse::kWheelUp || e.mouse == Mouse::kWheelDown) {
    ScrollBy(e.mouse == Mouse::kWheelUp ? -kWheelRows : kWheelRows, 0);
    return true;
  }
  if (vbar_ && e.x == inner_.right() - 1 && e.y < text_.bottom()) {
    ScrollBy(ScrollBarDelta(e.y - text_.y, text_.h, top_, text_.h, rows_), 0);
    return true;
  }
  if (hbar_ && e.y == inner_.bottom() - 1 && e.x < text_.right()) {
    ScrollBy(0, ScrollBarDelta(e.x - text_.x, text_.w, left_, text_.w, cols_));
    return true;
  }
  return false;
}

template <typename Lines>
void ScrollView::DrawRows(CellGrid& grid, const Lines& lines, Style style, int selected,
                          Style selected_style) const {
  for (int r = 0; r < text_.h; ++r) {
    const int index = top_ + r;
    const Style s = index == selected ? selected_style : style;
    grid.Fill(Rect{text_.x, text_.y + r, text_.w, 1}, ' ', s);
    if (index >= static_cast<int>(lines.size())) continue;
    const std::string_view line = lines[static_cast<std::size_t>(index)];
    if (static_cast<std::size_t>(left_) < line.size())
      grid.Text(text_.x, text_.y + r, line.substr(static_cast<std::size_t>(left_)), s, text_.w);
  }
}

void ScrollView::DrawLines(CellGrid& grid, const std::vector<std::string>& lines, Style style,
                           int selected, Style selected_style) const {
  DrawRows(grid, lines, style, selected, selected_style);
}

void ScrollView::DrawLines(CellGrid& grid, const LineStore& lines, Style style, int selected,
                           Style selected_style) const {
  DrawRows(grid, lines, style, selected, selected_style);
}

void ScrollView::DrawBars(CellGrid& grid) const {
  if (vbar_) DrawScrollBar(grid, inner_.right() - 1, text_.y, text_.h, true, top_, text_.h, rows_);
  if (hbar_)
    DrawScrollBar(grid, text_.x, inner_.bottom() - 1, text_.w, false, left_, text_.w, cols_);
  if (vbar_ && hbar_) grid.Put(inner_.right() - 1, inner_.bottom() - 1, ' ', Style::kScrollTrack);
}

void DrawScrollBar(CellGrid& grid, int x, int y, int length, bool vertical, int first, int visible,
                   int total) {
  if (length <= 0) return;
  auto put = [&](int i, char ch, Style style, Glyph glyph) {
    if (vertical)
      grid.Put(x, y + i, ch, style, glyph);
    else
      grid.Put(x + i, y, ch, style, glyph);
  };
  if (length < 2) {
    put(0, ' ', Style::kScrollTrack, Glyph::kNone);
    return;
  }
  put(0, vertical ? '^' : '<', Style::kScrollArrow, vertical ? Glyph::kArrowUp : Glyph::kArrowLeft);
  put(length - 1, vertical ? 'v' : '>', Style::kScrollArrow,
      vertical ? Glyph::kArrowDown : Glyph::kArrowRight);
  const int track = length - 2;
  for (int i = 0; i < track; ++i) put(1 + i, ' ', Style::kScrollTrack, Glyph::kNone);
  if (total <= visible || track <= 0) return;  // nothing to scroll: no thumb
  const int thumb = std::clamp(track * visible / total, 1, track);
  const int at = (track - thumb) * first / (total - visible);
  for (int i = 0; i < thumb; ++i) put(1 + at + i, ' ', Style::kScrollThumb, Glyph::kNone);
}

}  // namespace terminal
