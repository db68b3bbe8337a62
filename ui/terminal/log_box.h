// The CommandLog "Command and Status": a list box with a caption bar, both
// scroll bars and a horizontal extent. Lines stay in the order appended; a
// view at the newest line follows new lines, one scrolled back stays put and
// its bottom border counts the lines below it (End shows the newest). A click
// on a line selects it (again: no line is selected). The [=] box beside [^]
// opens the log's own menu, "Copy" and "Save log as...".
#pragma once

#include <string_view>

#include "resources/main_window.h"
#include "ui/terminal/cell_grid.h"
#include "ui/terminal/input_event.h"
#include "ui/terminal/line_store.h"
#include "ui/terminal/popup_menu.h"
#include "ui/terminal/scroll_view.h"

namespace terminal {

class LogBox {
 public:
  static constexpr std::string_view kCaption = res::kMainWindow.command_log.caption;

  LogBox();

  void Append(std::string_view line);
  void Clear();
  // Horizontal extent in cells: the view scrolls at least this far.
  void SetExtent(int cells);
  const LineStore& lines() const { return lines_; }

  // The box's place on the screen, frame and caption included.
  void Layout(const Rect& rect);
  const Rect& rect() const { return rect_; }
  // The maximise box at the caption's right end.
  Rect maximize_box() const { return Rect{rect_.right() - 4, rect_.y, 3, 1}; }
  // The box of the log's menu, left of the maximise box.
  Rect menu_box() const { return Rect{rect_.right() - 8, rect_.y, 3, 1}; }
  PopupMenu& menu() { return menu_; }
  const PopupMenu& menu() const { return menu_; }

  // The selected line's index, or -1 for none.
  int selected() const { return selected_; }
  const ScrollView& view() const { return view_; }

  void set_focused(bool focused) { focused_ = focused; }
  bool focused() const { return focused_; }

  bool HandleKey(const InputEvent& e) { return view_.HandleScrollKey(e.key); }
  bool HandleMouse(const InputEvent& e);

  void Draw(CellGrid& grid) const;
  // The open menu, above everything else in the main window.
  void DrawMenu(CellGrid& grid) const { menu_.Draw(grid); }

 private:
  void UpdateContent();

  LineStore lines_;
  int widest_ = 0;
  int extent_ = 0;
  Rect rect_;
  ScrollView view_;
  bool focused_ = false;
  int selected_ = -1;
  PopupMenu menu_;
};

}  // namespace terminal
