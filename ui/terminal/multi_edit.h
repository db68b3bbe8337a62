// The editing state of a multi-line edit with word wrap: the lines are those
// of ui::DialogModel::WrapLines, so what the dialog reads line by line is what
// the user sees. Ctrl-J starts a new line; Enter is left to the dialog.
#pragma once

#include <string>
#include <vector>

#include "ui/terminal/cell_grid.h"
#include "ui/terminal/input_event.h"
#include "ui/terminal/scroll_view.h"

namespace terminal {

class MultiEdit {
 public:
  void Focus(const std::string& text, bool select_all);
  // A click at (column, row) of the text area.
  void Click(const std::string& text, int columns, int column, int row);
  // Editing keys; false for a key that is the dialog's (Enter, Tab, Esc, ...).
  bool HandleKey(std::string& text, const InputEvent& e, int columns, int rows);
  // The wheel over the box (frame r) and clicks on its scroll bar scroll the
  // view, leaving the cursor; false for other clicks.
  bool HandleMouse(const InputEvent& e, const std::string& text, const Rect& r);

  // Draws the box (frame, text, vertical scroll bar) into r.
  void Draw(CellGrid& grid, const Rect& r, const std::string& text, bool focused);

  int cursor() const { return cursor_; }
  int top() const { return top_; }

  // Where each shown line starts in the text.
  static std::vector<int> LineStarts(const std::string& text,
                                     const std::vector<std::string>& lines);

 private:
  struct Pos {
    int line, column;
  };
  Pos Locate(const std::vector<int>& starts) const;
  void Follow(int cursor_line, int rows);

  int cursor_ = 0;
  int top_ = 0;
  bool all_selected_ = false;
};

}  // namespace terminal
