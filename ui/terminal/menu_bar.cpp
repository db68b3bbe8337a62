#include "ui/terminal/menu_bar.h"

#include <cstring>

namespace terminal {

void MenuBar::Layout(int x, int y, int width) {
  bar_ = Rect{x, y, width, 1};
  popup_.Place(bar_.x + 1, bar_.y + 1);
}

Rect MenuBar::title_rect() const {
  return Rect{bar_.x + 1, bar_.y, static_cast<int>(std::strlen(menu_.popup)) + 2, 1};
}

void MenuBar::DrawBar(CellGrid& grid) const {
  grid.Fill(bar_, ' ', Style::kMenuBar);
  const Rect t = title_rect();
  const Style s = open() ? Style::kMenuSelected : Style::kMenuBar;
  grid.Put(t.x, t.y, ' ', s);
  grid.Text(t.x + 1, t.y, menu_.popup, s);
  grid.Put(t.right() - 1, t.y, ' ', s);
}

}  // namespace terminal
