// A popup of menu items in a frame: opened with its first item highlighted,
// moved with Up/Down/Home/End, chosen with Enter, Space, an item's first
// letter or a click; Esc, F10 or a click elsewhere closes it. The menu bar's
// "Pos_Commands" and the CommandLog's own menu are such popups.
#pragma once

#include <span>

#include "resources/templates.h"
#include "ui/terminal/cell_grid.h"
#include "ui/terminal/input_event.h"

namespace terminal {

class PopupMenu {
 public:
  struct Result {
    enum Kind { kNone, kClosed, kChosen } kind = kNone;
    int id = 0;
  };

  explicit PopupMenu(std::span<const res::MenuItem> items) : items_(items) {}

  // The frame's top-left corner.
  void Place(int x, int y);
  Rect rect() const;

  bool open() const { return open_; }
  void Open();  // with the first item highlighted
  void Close() { open_ = false; }
  int highlighted() const { return highlighted_; }  // index into the items

  Result HandleKey(const InputEvent& e);
  // A press on an item chooses it, one outside the popup closes it.
  Result HandleMouse(const InputEvent& e);

  void Draw(CellGrid& grid) const;

 private:
  int ItemCount() const { return static_cast<int>(items_.size()); }
  bool IsSeparator(int index) const {
    return items_[static_cast<std::size_t>(index)].text == nullptr;
  }
  void Move(int step);
  Result ByLetter(char c);
  Result Choose(int index);

  std::span<const res::MenuItem> items_;
  int x_ = 0, y_ = 0;
  bool open_ = false;
  int highlighted_ = 0;
};

}  // namespace terminal
