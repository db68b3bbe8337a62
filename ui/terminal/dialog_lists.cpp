// Combo boxes and list boxes of a dialog: selection by keys and clicks, the
// dropped-down list of a combo box, scrolling.
#include <algorithm>
#include <cctype>

#include "ui/terminal/dialog_layer.h"
#include "ui/terminal/main_window.h"

namespace terminal {
namespace {

using K = res::ControlKind;

int Widest(const std::vector<std::string>& items) {
  int widest = 0;
  for (const std::string& s : items) widest = std::max(widest, static_cast<int>(s.size()));
  return widest;
}

}  // namespace

void DialogLayer::LayoutList(int index) {
  ui::ControlState& s = state(index);
  ScrollView& list = views_[static_cast<std::size_t>(index)].list;
  const int items = static_cast<int>(s.items.size());
  if (s.control->kind == K::kListBox) {
    const Rect& r = place_.controls[static_cast<std::size_t>(index)].rect;
    list.Layout(Rect{r.x + 1, r.y + 1, r.w - 2, r.h - 2}, (s.control->style & res::kVScroll) != 0,
                (s.control->style & res::kHScroll) != 0);
    // The horizontal extent is in pixels; text wider than it stays reachable.
    list.SetContent(items, std::max(PixelsToColumns(s.horizontal_extent), Widest(s.items)));
    return;
  }
  const Rect d = drop_rect();
  list.Layout(d, items > d.h, false);
  list.SetContent(items, Widest(s.items));
}

Rect DialogLayer::drop_rect() const {
  if (dropped_ < 0) return {};
  const ControlPlace& p = place_.controls[static_cast<std::size_t>(dropped_)];
  const auto items =
      static_cast<int>(model_.controls()[static_cast<std::size_t>(dropped_)].items.size());
  const int rows = std::max(1, std::min(p.drop_rows, items));
  // Below the field, or above it when the screen ends first.
  const int y = p.rect.bottom() + rows <= screen_.height ? p.rect.bottom() : p.rect.y - rows;
  return Rect{p.rect.x, std::max(0, y), p.rect.w, rows};
}

void DialogLayer::OpenDrop(int index) {
  dropped_ = index;
  LayoutList(index);
  views_[static_cast<std::size_t>(index)].list.EnsureVisible(std::max(0, state(index).selection));
}

void DialogLayer::SelectItem(int index, int item, bool chosen) {
  ui::ControlState& s = state(index);
  const int n = static_cast<int>(s.items.size());
  if (n == 0) return;
  item = std::clamp(item, 0, n - 1);
  // A key that stays on the selected item changes nothing; an entry chosen
  // from the open list is a selection change even when it is the selected
  // one, as a Windows combo box reports it.
  if (item == s.selection && !chosen) return;
  model_.SetCurSel(s.control->id, item);
  View& v = views_[static_cast<std::size_t>(index)];
  if (s.control->kind == K::kComboDropDown) v.edit.Focus(s.text, true);
  if (dropped_ == index) {
    LayoutList(index);
    v.list.EnsureVisible(item);
  }
  Command(s.control->id, ui::kNotifySelChange);
}

// The next item after the selected one that begins with the letter.
void DialogLayer::SelectByLetter(int index, char c) {
  const ui::ControlState& s = state(index);
  const int n = static_cast<int>(s.items.size());
  const int lower = std::tolower(static_cast<unsigned char>(c));
  for (int k = 1; k <= n; ++k) {
    const int i = (std::max(-1, s.selection) + k) % n;
    const std::string& item = s.items[static_cast<std::size_t>(i)];
    if (!item.empty() && std::tolower(static_cast<unsigned char>(item[0])) == lower) {
      SelectItem(index, i, false);
      return;
    }
  }
}

bool DialogLayer::HandleComboKey(int index, const InputEvent& e) {
  if (e.type != InputEvent::Type::kKey) return false;
  ui::ControlState& s = state(index);
  const bool open = dropped_ == index;
  const int page = std::max(1, place_.controls[static_cast<std::size_t>(index)].drop_rows - 1);
  if (e.IsKey(Key::kF4) || (e.alt && (e.key == Key::kDown || e.key == Key::kUp))) {
    if (open)
      CloseDrop();
    else
      OpenDrop(index);
    return true;
  }
  if (open && (e.IsKey(Key::kEnter) || e.IsKey(Key::kEscape))) {
    CloseDrop();
    if (e.IsKey(Key::kEnter) && s.selection >= 0) SelectItem(index, s.selection, true);
    return true;
  }
  const bool list_only = s.control->kind == K::kComboDropList;
  switch (e.alt ? Key::kF1 : e.key) {
    case Key::kUp:
      SelectItem(index, std::max(0, s.selection - 1), false);
      return true;
    case Key::kDown:
      SelectItem(index, s.selection + 1, false);
      return true;
    case Key::kPageUp:
      SelectItem(index, std::max(0, s.selection - page), false);
      return true;
    case Key::kPageDown:
      SelectItem(index, s.selection + page, false);
      return true;
    default:
      break;
  }
  if (!list_only) return views_[static_cast<std::size_t>(index)].edit.HandleKey(s.text, e);
  if (e.IsKey(Key::kHome))
    SelectItem(index, 0, false);
  else if (e.IsKey(Key::kEnd))
    SelectItem(index, static_cast<int>(s.items.size()) - 1, false);
  else if (e.key == Key::kChar && !e.alt && std::isgraph(static_cast<unsigned char>(e.ch)))
    SelectByLetter(index, e.ch);
  else
    return false;
  return true;
}

bool DialogLayer::HandleListKey(int index, const InputEvent& e) {
  if (e.type != InputEvent::Type::kKey || e.alt) return false;
  ui::ControlState& s = state(index);
  ScrollView& list = views_[static_cast<std::size_t>(index)].list;
  LayoutList(index);
  const int n = static_cast<int>(s.items.size());
  const int page = std::max(1, list.text().h - 1);
  int item = s.selection;
  switch (e.key) {
    case Key::kUp:
      item = std::max(0, item - 1);
      break;
    case Key::kDown:
      item = item + 1;
      break;
    case Key::kPageUp:
      item = std::max(0, item - page);
      break;
    case Key::kPageDown:
      item = item + page;
      break;
    case Key::kHome:
      item = 0;
      break;
    case Key::kEnd:
      item = n - 1;
      break;
    case Key::kLeft:
      list.ScrollBy(0, -1);
      return true;
    case Key::kRight:
      list.ScrollBy(0, 1);
      return true;
    default:
      return false;
  }
  if (n == 0) return true;
  // A list box sends no notifications: the selection only shows.
  s.selection = std::clamp(item, 0, n - 1);
  list.EnsureVisible(s.selection);
  return true;
}

bool DialogLayer::ClickDrop(const InputEvent& e) {
  const Rect d = drop_rect();
  if (!d.Contains(e.x, e.y)) return false;
  ScrollView& list = views_[static_cast<std::size_t>(dropped_)].list;
  LayoutList(dropped_);
  if (list.HandleMouse(e) || e.mouse != Mouse::kPress) return true;
  const int item = list.top() + (e.y - list.text().y);
  const int index = dropped_;
  if (item < static_cast<int>(state(index).items.size())) {
    CloseDrop();
    SelectItem(index, item, true);
  }
  return true;
}

void DialogLayer::ClickCombo(int index, const InputEvent& e) {
  SetFocus(index, false);
  const Rect& r = place_.controls[static_cast<std::size_t>(index)].rect;
  ui::ControlState& s = state(index);
  if (s.control->kind == K::kComboDropDown && e.x < r.right() - 1) {
    views_[static_cast<std::size_t>(index)].edit.Click(s.text, e.x - r.x);
    return;
  }
  OpenDrop(index);
}

void DialogLayer::ClickList(int index, const InputEvent& e) {
  if (e.mouse == Mouse::kPress) SetFocus(index, false);
  ScrollView& list = views_[static_cast<std::size_t>(index)].list;
  LayoutList(index);
  if (list.HandleMouse(e) || e.mouse != Mouse::kPress || !list.text().Contains(e.x, e.y)) return;
  ui::ControlState& s = state(index);
  const int item = list.top() + (e.y - list.text().y);
  if (item < static_cast<int>(s.items.size())) s.selection = item;
}

}  // namespace terminal
