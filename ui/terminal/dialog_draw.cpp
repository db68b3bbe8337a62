// Drawing a dialog: its frame and caption, then every control from the model.
#include <algorithm>
#include <string>

#include "ui/terminal/dialog_layer.h"

namespace terminal {
namespace {

using K = res::ControlKind;

// Group boxes first, labels over them, then the other controls.
int DrawPass(K kind) {
  if (kind == K::kGroupBox) return 0;
  if (kind == K::kLabel) return 1;
  return 2;
}

}  // namespace

void DialogLayer::Draw(CellGrid& grid, bool active) {
  const Rect& w = place_.window;
  const Style caption = active ? Style::kCaptionActive : Style::kCaption;
  grid.Fill(w, ' ', Style::kNormal);
  grid.Frame(w, Style::kFrame);
  grid.Fill(Rect{w.x, w.y, w.w, 1}, ' ', caption);
  grid.Text(w.x + 1, w.y, model_.tmpl().title, caption, w.w - 6);
  if (model_.tmpl().style & res::kSysMenu) grid.Text(close_box().x, w.y, "[X]", caption);
  for (int pass = 0; pass < 3; ++pass)
    for (int i = 0; i < count(); ++i)
      if (DrawPass(control(i).kind) == pass) DrawControl(grid, i);
  DrawDrop(grid);
}

void DialogLayer::DrawControl(CellGrid& grid, int index) {
  ui::ControlState& s = state(index);
  View& v = views_[static_cast<std::size_t>(index)];
  const Rect& r = place_.controls[static_cast<std::size_t>(index)].rect;
  const bool focused = index == focus_;
  const int room = place_.client.right() - r.x;  // texts run on to the dialog's edge
  switch (s.control->kind) {
    case K::kLabel:
      grid.Text(r.x, r.y, s.text, Style::kNormal, room);
      return;
    case K::kGroupBox:
      grid.Frame(r, Style::kFrame);
      grid.Text(r.x + 1, r.y, " " + s.text + " ", Style::kNormal, r.w - 2);
      return;
    case K::kEdit:
      v.edit.Draw(grid, r.x, r.y, r.w, s.text, focused);
      return;
    case K::kMultiLineEdit:
      v.multi.Draw(grid, r, s.text, focused);
      return;
    case K::kComboDropDown:
    case K::kComboDropList:
      DrawCombo(grid, index, r);
      return;
    case K::kListBox:
      LayoutList(index);
      grid.Frame(r, Style::kFrame);
      v.list.DrawLines(grid, s.items, Style::kNormal, s.selection,
                       focused ? Style::kItemSelected : Style::kFieldSelected);
      v.list.DrawBars(grid);
      return;
    case K::kPushButton:
    case K::kDefPushButton:
      DrawButton(grid, index, r);
      return;
    case K::kRadioButton: {
      const Style style = focused ? Style::kFocusMark : Style::kNormal;
      const int n = grid.Text(r.x, r.y, s.checked ? "(*) " : "( ) ", style, room);
      grid.Text(r.x + n, r.y, s.text, style, room - n);
      return;
    }
  }
}

void DialogLayer::DrawButton(CellGrid& grid, int index, const Rect& r) {
  // "[ text ]" centred; a text too long for the brackets shows without them.
  const std::string& text = state(index).text;
  const bool brackets = static_cast<int>(text.size()) + 2 <= r.w;
  const int inner = brackets ? r.w - 2 : r.w;
  const int shown = std::min(inner, static_cast<int>(text.size()));
  std::string face(static_cast<std::size_t>(r.w), ' ');
  face.replace(static_cast<std::size_t>((brackets ? 1 : 0) + (inner - shown) / 2),
               static_cast<std::size_t>(shown), text, 0, static_cast<std::size_t>(shown));
  if (brackets) {
    face.front() = '[';
    face.back() = ']';
  }
  Style style = Style::kButton;
  if (index == focus_)
    style = Style::kButtonFocused;
  else if (index == DefaultButton())
    style = Style::kButtonDefault;
  grid.Text(r.x, r.y, face, style, r.w);
}

void DialogLayer::DrawCombo(CellGrid& grid, int index, const Rect& r) {
  ui::ControlState& s = state(index);
  const bool focused = index == focus_;
  const int field = std::max(0, r.w - 1);
  if (s.control->kind == K::kComboDropDown) {
    views_[static_cast<std::size_t>(index)].edit.Draw(grid, r.x, r.y, field, s.text, focused);
  } else {
    grid.Fill(Rect{r.x, r.y, field, 1}, ' ', focused ? Style::kFieldSelected : Style::kField);
    if (s.selection >= 0 && s.selection < static_cast<int>(s.items.size()))
      grid.Text(r.x, r.y, s.items[static_cast<std::size_t>(s.selection)],
                focused ? Style::kFieldSelected : Style::kField, field);
  }
  grid.Put(r.right() - 1, r.y, 'v', Style::kButton, Glyph::kArrowDown);
}

void DialogLayer::DrawDrop(CellGrid& grid) {
  if (dropped_ < 0) return;
  LayoutList(dropped_);
  const ui::ControlState& s = state(dropped_);
  const ScrollView& list = views_[static_cast<std::size_t>(dropped_)].list;
  list.DrawLines(grid, s.items, Style::kMenuItem, s.selection, Style::kMenuSelected);
  list.DrawBars(grid);
}

}  // namespace terminal
