// The main window's menu bar with its one popup, "Pos_Commands", built from
// res::CommandMenu(). All items are always enabled.
#pragma once

#include "resources/templates.h"
#include "ui/terminal/cell_grid.h"
#include "ui/terminal/input_event.h"

namespace terminal {

class MenuBar {
 public:
  struct Result {
    enum Kind { kNone, kClosed, kChosen } kind = kNone;
    int id = 0;
  };

  explicit MenuBar(const res::Menu& menu) : menu_(menu) {}

  // The bar's row; the title starts one cell in.
  void Layout(int x, int y, int width);
  Rect title_rect() const;
  Rect popup_rect() const;

  bool open() const { return open_; }
  void Open();  // with the first item highlighted
  void Close() { open_ = false; }
  int highlighted() const { return highlighted_; }  // index into the items

  Result HandleKey(const InputEvent& e);
  // Clicks while open; the caller opens it on a click on title_rect().
  Result HandleMouse(const InputEvent& e);

  void DrawBar(CellGrid& grid) const;
  void DrawPopup(CellGrid& grid) const;

 private:
  int ItemCount() const { return static_cast<int>(menu_.items.size()); }
  bool IsSeparator(int index) const {
    return menu_.items[static_cast<std::size_t>(index)].text == nullptr;
  }
  void Move(int step);
  Result ByLetter(char c);
  Result Choose(int index);

  const res::Menu& menu_;
  Rect bar_;
  bool open_ = false;
  int highlighted_ = 0;
};

}  // namespace terminal
