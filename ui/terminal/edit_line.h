// The editing state of a single-line field (an edit control or a combo box's
// edit field): the cursor, the horizontal scroll that keeps it in view, and
// the whole text selected on entering by keyboard. The text itself lives in
// the dialog model; it may change under the field at any time.
#pragma once

#include <string>

#include "port/port.h"
#include "ui/terminal/cell_grid.h"
#include "ui/terminal/input_event.h"

namespace terminal {

// Characters a field takes from the keyboard: what the dialogs read of it
// (a 254-byte buffer), so that nothing typed is cut off unseen.
inline constexpr std::size_t kMaxTypedChars = ui::kFieldRoom - 1;

class EditLine {
 public:
  // The field gets the focus: the cursor goes to the end; by keyboard the
  // whole text is selected, so that typing replaces it.
  void Focus(const std::string& text, bool select_all);
  // A click at a column of the field.
  void Click(const std::string& text, int column);

  // Editing keys: characters (none past kMaxTypedChars), Backspace, Delete,
  // Left, Right, Home, End. False for any other key (it is the dialog's).
  bool HandleKey(std::string& text, const InputEvent& e);

  // Draws the visible part of the text into `width` cells at (x, y) and, when
  // focused, puts the cursor there.
  void Draw(CellGrid& grid, int x, int y, int width, const std::string& text, bool focused);

  int cursor() const { return cursor_; }
  int scroll() const { return scroll_; }
  bool all_selected() const { return all_selected_; }

 private:
  void Clamp(const std::string& text);
  bool DeleteSelection(std::string& text);

  int cursor_ = 0;
  int scroll_ = 0;
  bool all_selected_ = false;
};

}  // namespace terminal
