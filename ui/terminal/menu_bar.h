// The main window's menu bar with its one popup, "Pos_Commands", built from
// res::CommandMenu(). All items are always enabled.
#pragma once

#include "resources/templates.h"
#include "ui/terminal/cell_grid.h"
#include "ui/terminal/input_event.h"
#include "ui/terminal/popup_menu.h"

namespace terminal {

class MenuBar {
 public:
  using Result = PopupMenu::Result;

  explicit MenuBar(const res::Menu& menu) : menu_(menu), popup_(menu.items) {}

  // The bar's row; the title starts one cell in, the popup below it.
  void Layout(int x, int y, int width);
  Rect title_rect() const;
  Rect popup_rect() const { return popup_.rect(); }

  bool open() const { return popup_.open(); }
  void Open() { popup_.Open(); }  // with the first item highlighted
  void Close() { popup_.Close(); }
  int highlighted() const { return popup_.highlighted(); }  // index into the items

  Result HandleKey(const InputEvent& e) { return popup_.HandleKey(e); }
  // Clicks while open; the caller opens it on a click on title_rect().
  Result HandleMouse(const InputEvent& e) { return popup_.HandleMouse(e); }

  void DrawBar(CellGrid& grid) const;
  void DrawPopup(CellGrid& grid) const { popup_.Draw(grid); }

 private:
  const res::Menu& menu_;
  PopupMenu popup_;
  Rect bar_;
};

}  // namespace terminal
