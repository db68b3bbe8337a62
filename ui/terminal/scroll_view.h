// The scrolling of a list-like view: a text area with an optional vertical
// scroll bar in its last column and horizontal one in its last row. Shared by
// the CommandLog, the dialog list box and a combo box's drop-down list.
#pragma once

#include <string>
#include <vector>

#include "ui/terminal/cell_grid.h"
#include "ui/terminal/input_event.h"
#include "ui/terminal/line_store.h"

namespace terminal {

class ScrollView {
 public:
  // inner: the area inside any frame; the bars take its last column / row.
  void Layout(const Rect& inner, bool vbar, bool hbar);
  // The content's size: rows and the widest row in cells.
  void SetContent(int rows, int cols);

  const Rect& text() const { return text_; }
  int top() const { return top_; }
  int left() const { return left_; }
  int rows() const { return rows_; }
  int max_top() const;
  int max_left() const;
  // Rows of content below the visible part.
  int rows_below() const;

  void ScrollTo(int top, int left);  // clamped to the content
  void ScrollBy(int rows, int cols) { ScrollTo(top_ + rows, left_ + cols); }
  void EnsureVisible(int row);

  // Up/Down/PgUp/PgDn/Home/End/Left/Right scroll the view; false for others.
  bool HandleScrollKey(Key key);
  // The wheel anywhere in the view, clicks on the bars; false when not consumed.
  bool HandleMouse(const InputEvent& e);

  // The visible rows of lines from the top, shifted by left; row `selected`
  // (or none for -1) in selected_style.
  void DrawLines(CellGrid& grid, const std::vector<std::string>& lines, Style style,
                 int selected = -1, Style selected_style = Style::kItemSelected) const;
  // The same of the lines of a store; only the visible rows are read.
  void DrawLines(CellGrid& grid, const LineStore& lines, Style style, int selected = -1,
                 Style selected_style = Style::kItemSelected) const;
  void DrawBars(CellGrid& grid) const;

 private:
  template <typename Lines>
  void DrawRows(CellGrid& grid, const Lines& lines, Style style, int selected,
                Style selected_style) const;

  Rect inner_;
  Rect text_;
  bool vbar_ = false, hbar_ = false;
  int rows_ = 0, cols_ = 0;
  int top_ = 0, left_ = 0;
};

// A scroll bar of `length` cells (arrows at both ends) for a view showing
// `visible` of `total` units from `first` on.
void DrawScrollBar(CellGrid& grid, int x, int y, int length, bool vertical, int first, int visible,
                   int total);

// How far a click at offset pos of such a bar scrolls: a line at the arrows,
// a page (visible - 1) on the track before or after the thumb, 0 on it.
int ScrollBarDelta(int pos, int length, int first, int visible, int total);

inline constexpr int kWheelRows = 3;

}  // namespace terminal
