#include "ui/terminal/popup_menu.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace terminal {

void PopupMenu::Place(int x, int y) {
  x_ = x;
  y_ = y;
}

Rect PopupMenu::rect() const {
  int widest = 0;
  for (const res::MenuItem& item : items_)
    if (item.text) widest = std::max(widest, static_cast<int>(std::strlen(item.text)));
  return Rect{x_, y_, widest + 4, ItemCount() + 2};
}

void PopupMenu::Open() {
  open_ = true;
  highlighted_ = 0;
  if (ItemCount() > 0 && IsSeparator(0)) Move(1);
}

void PopupMenu::Move(int step) {
  const int n = ItemCount();
  if (n == 0) return;
  for (int tries = 0; tries < n; ++tries) {
    highlighted_ = (highlighted_ + step + n) % n;
    if (!IsSeparator(highlighted_)) return;
  }
}

PopupMenu::Result PopupMenu::Choose(int index) {
  open_ = false;
  return {Result::kChosen, items_[static_cast<std::size_t>(index)].id};
}

// An item without a marked letter answers to its first letter: the only such
// item is chosen, among several the next one is highlighted.
PopupMenu::Result PopupMenu::ByLetter(char c) {
  const int n = ItemCount();
  int matches = 0, next = -1;
  for (int i = 1; i <= n; ++i) {
    const int index = (highlighted_ + i) % n;
    if (IsSeparator(index)) continue;
    const char first = items_[static_cast<std::size_t>(index)].text[0];
    if (std::tolower(static_cast<unsigned char>(first)) !=
        std::tolower(static_cast<unsigned char>(c)))
      continue;
    ++matches;
    if (next < 0) next = index;
  }
  if (matches == 1) return Choose(next);
  if (next >= 0) highlighted_ = next;
  return {};
}

PopupMenu::Result PopupMenu::HandleKey(const InputEvent& e) {
  if (!open_ || e.type != InputEvent::Type::kKey) return {};
  switch (e.key) {
    case Key::kUp:
      Move(-1);
      return {};
    case Key::kDown:
      Move(1);
      return {};
    case Key::kHome:
      highlighted_ = -1 + ItemCount();
      Move(1);
      return {};
    case Key::kEnd:
      highlighted_ = 0;
      Move(-1);
      return {};
    case Key::kEnter:
      return Choose(highlighted_);
    case Key::kEscape:
    case Key::kF10:
      open_ = false;
      return {Result::kClosed, 0};
    case Key::kChar:
      if (e.ch == ' ') return Choose(highlighted_);
      if (!e.alt && std::isalnum(static_cast<unsigned char>(e.ch))) return ByLetter(e.ch);
      return {};
    default:
      return {};
  }
}

PopupMenu::Result PopupMenu::HandleMouse(const InputEvent& e) {
  if (!open_ || e.type != InputEvent::Type::kMouse || e.mouse != Mouse::kPress) return {};
  const Rect popup = rect();
  if (popup.Contains(e.x, e.y)) {
    const int index = e.y - popup.y - 1;
    if (index >= 0 && index < ItemCount() && !IsSeparator(index)) return Choose(index);
    return {};
  }
  open_ = false;
  return {Result::kClosed, 0};
}

void PopupMenu::Draw(CellGrid& grid) const {
  if (!open_) return;
  const Rect r = rect();
  grid.Fill(r, ' ', Style::kMenuItem);
  grid.Frame(r, Style::kMenuItem);
  for (int i = 0; i < ItemCount(); ++i) {
    const int y = r.y + 1 + i;
    if (IsSeparator(i)) {
      grid.HLine(r.x + 1, y, r.w - 2, Style::kMenuItem);
      grid.Put(r.x, y, '+', Style::kMenuItem, Glyph::kTeeLeft);
      grid.Put(r.right() - 1, y, '+', Style::kMenuItem, Glyph::kTeeRight);
      continue;
    }
    const Style s = i == highlighted_ ? Style::kMenuSelected : Style::kMenuItem;
    grid.Fill(Rect{r.x + 1, y, r.w - 2, 1}, ' ', s);
    grid.Text(r.x + 2, y, items_[static_cast<std::size_t>(i)].text, s, r.w - 4);
  }
}

}  // namespace terminal
