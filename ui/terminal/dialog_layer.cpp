#include "ui/terminal/dialog_layer.h"

namespace terminal {
namespace {

using K = res::ControlKind;

bool IsEditKind(K k) {
  return k == K::kEdit || k == K::kMultiLineEdit || k == K::kComboDropDown;
}

}  // namespace

DialogLayer::DialogLayer(ui::DialogModel& model, ui::DialogProc& proc, int client_top)
    : model_(model), proc_(proc), client_top_(client_top), views_(model.controls().size()) {}

void DialogLayer::Start() {
  proc_.OnInit(model_);
  focus_ = -1;
  TabTo(1);
}

int DialogLayer::focused_id() const {
  return focus_ < 0 ? -1 : model_.controls()[static_cast<std::size_t>(focus_)].control->id;
}

Rect DialogLayer::control_rect(int id) const {
  for (int i = 0; i < count(); ++i)
    if (model_.controls()[static_cast<std::size_t>(i)].control->id == id)
      return place_.controls[static_cast<std::size_t>(i)].rect;
  return {};
}

void DialogLayer::Layout(int width, int height) {
  screen_ = Size{width, height};
  place_ = LayoutDialog(model_.tmpl(), screen_, client_top_);
}

void DialogLayer::Abandon() {
  if (!model_.ended()) Command(res::kIdCancel, ui::kNotifyClicked);
  if (!model_.ended()) model_.End(0);
}

void DialogLayer::Command(int id, int notify) {
  if (!model_.ended()) proc_.OnCommand(model_, id, notify);
}

bool DialogLayer::Focusable(int index) {
  const K k = control(index).kind;
  return k != K::kLabel && k != K::kGroupBox;
}

void DialogLayer::SetFocus(int index, bool by_keyboard) {
  if (dropped_ >= 0 && dropped_ != index) CloseDrop();
  focus_ = index;
  if (index < 0 || !by_keyboard) return;
  ui::ControlState& s = state(index);
  // Entering a field by keyboard selects its whole text, as on Windows.
  if (s.control->kind == K::kMultiLineEdit)
    views_[static_cast<std::size_t>(index)].multi.Focus(s.text, true);
  else if (IsEditKind(s.control->kind))
    views_[static_cast<std::size_t>(index)].edit.Focus(s.text, true);
}

// The next (step 1) or previous (-1) tab stop, wrapping around. Entering a
// group of radio buttons lands on its checked button.
void DialogLayer::TabTo(int step) {
  const int n = count();
  for (int k = 1; k <= n; ++k) {
    const int i = ((focus_ < 0 ? (step > 0 ? -1 : 0) : focus_) + step * k + n * n) % n;
    if (!Focusable(i) || !(control(i).style & res::kTabStop)) continue;
    int target = i;
    if (control(i).kind == K::kRadioButton) {
      int first = i;
      while (first > 0 && !(control(first).style & res::kGroup)) --first;
      for (int j = first; j < n && (j == first || !(control(j).style & res::kGroup)); ++j)
        if (control(j).kind == K::kRadioButton && state(j).checked) target = j;
    }
    SetFocus(target, true);
    return;
  }
}

// Arrow keys on buttons move within the focused control's group, wrapping;
// an automatic radio button is checked as it gets the focus.
void DialogLayer::MoveInGroup(int step) {
  if (focus_ < 0) return;
  int first = focus_;
  while (first > 0 && !(control(first).style & res::kGroup)) --first;
  int end = first + 1;
  while (end < count() && !(control(end).style & res::kGroup)) ++end;
  const int size = end - first;
  for (int k = 1; k < size; ++k) {
    const int i = first + ((focus_ - first) + step * k + size * size) % size;
    if (!Focusable(i)) continue;
    SetFocus(i, true);
    if (control(i).kind == K::kRadioButton) CheckRadio(i);
    return;
  }
}

int DialogLayer::DefaultButton() {
  if (focus_ >= 0 && IsPushButton(control(focus_).kind)) return focus_;
  for (int i = 0; i < count(); ++i)
    if (control(i).kind == K::kDefPushButton) return i;
  return -1;
}

void DialogLayer::Press(int index) {
  Command(control(index).id, ui::kNotifyClicked);
}

void DialogLayer::CheckRadio(int index) {
  int first = index;
  while (first > 0 && !(control(first).style & res::kGroup)) --first;
  for (int j = first; j < count() && (j == first || !(control(j).style & res::kGroup)); ++j)
    if (control(j).kind == K::kRadioButton) state(j).checked = (j == index);
  Command(control(index).id, ui::kNotifyClicked);
}

void DialogLayer::HandleInput(const InputEvent& e) {
  if (e.type == InputEvent::Type::kMouse)
    HandleMouse(e);
  else if (e.type == InputEvent::Type::kKey)
    HandleKey(e);
}

bool DialogLayer::HandleKey(const InputEvent& e) {
  if (focus_ >= 0 && HandleControlKey(focus_, e)) return true;
  if (e.IsKey(Key::kEscape)) {
    Command(res::kIdCancel, ui::kNotifyClicked);
  } else if (e.IsKey(Key::kTab) || e.IsKey(Key::kBackTab)) {
    CloseDrop();
    TabTo(e.key == Key::kTab ? 1 : -1);
  } else if (e.IsKey(Key::kEnter)) {
    // The focused push button, else the default button, else OK.
    const int button = DefaultButton();
    if (button >= 0)
      Press(button);
    else
      Command(res::kIdOk, ui::kNotifyClicked);
  } else {
    return false;
  }
  return true;
}

bool DialogLayer::HandleControlKey(int index, const InputEvent& e) {
  ui::ControlState& s = state(index);
  View& v = views_[static_cast<std::size_t>(index)];
  const Rect& r = place_.controls[static_cast<std::size_t>(index)].rect;
  const bool arrow =
      e.IsKey(Key::kUp) || e.IsKey(Key::kDown) || e.IsKey(Key::kLeft) || e.IsKey(Key::kRight);
  const int step = e.IsKey(Key::kUp) || e.IsKey(Key::kLeft) ? -1 : 1;
  switch (s.control->kind) {
    case K::kEdit:
      return v.edit.HandleKey(s.text, e);
    case K::kMultiLineEdit:
      return v.multi.HandleKey(s.text, e, ui::DialogModel::WrapColumns(*s.control), r.h - 2);
    case K::kComboDropDown:
    case K::kComboDropList:
      return HandleComboKey(index, e);
    case K::kListBox:
      return HandleListKey(index, e);
    case K::kPushButton:
    case K::kDefPushButton:
      if (e.IsChar(' '))
        Press(index);
      else if (arrow)
        MoveInGroup(step);
      else
        return false;
      return true;
    case K::kRadioButton:
      if (e.IsChar(' '))
        CheckRadio(index);
      else if (arrow)
        MoveInGroup(step);
      else
        return false;
      return true;
    case K::kLabel:
    case K::kGroupBox:
      return false;
  }
  return false;
}

int DialogLayer::ControlAt(int x, int y) {
  for (int i = count() - 1; i >= 0; --i)
    if (Focusable(i) && place_.controls[static_cast<std::size_t>(i)].rect.Contains(x, y)) return i;
  return -1;
}

void DialogLayer::HandleMouse(const InputEvent& e) {
  if (dropped_ >= 0) {
    if (ClickDrop(e)) return;
    if (e.mouse != Mouse::kPress) return;
    const int was = dropped_;
    CloseDrop();
    if (place_.controls[static_cast<std::size_t>(was)].rect.Contains(e.x, e.y)) return;
  }
  if (e.mouse == Mouse::kPress && close_box().Contains(e.x, e.y) &&
      (model_.tmpl().style & res::kSysMenu)) {
    Command(res::kIdCancel, ui::kNotifyClicked);
    return;
  }
  const int index = ControlAt(e.x, e.y);
  if (index >= 0) ClickControl(index, e);
}

void DialogLayer::ClickControl(int index, const InputEvent& e) {
  ui::ControlState& s = state(index);
  View& v = views_[static_cast<std::size_t>(index)];
  const Rect& r = place_.controls[static_cast<std::size_t>(index)].rect;
  const bool press = e.mouse == Mouse::kPress;
  switch (s.control->kind) {
    case K::kEdit:
      if (!press) return;
      SetFocus(index, false);
      v.edit.Click(s.text, e.x - r.x);
      return;
    case K::kMultiLineEdit:
      if (v.multi.HandleMouse(e, s.text, r) || !press) return;
      SetFocus(index, false);
      v.multi.Click(s.text, ui::DialogModel::WrapColumns(*s.control), e.x - r.x - 1, e.y - r.y - 1);
      return;
    case K::kComboDropDown:
    case K::kComboDropList:
      if (press) ClickCombo(index, e);
      return;
    case K::kListBox:
      ClickList(index, e);
      return;
    case K::kPushButton:
    case K::kDefPushButton:
      if (!press) return;
      SetFocus(index, false);
      Press(index);
      return;
    case K::kRadioButton:
      if (!press) return;
      SetFocus(index, false);
      CheckRadio(index);
      return;
    case K::kLabel:
    case K::kGroupBox:
      return;
  }
}

}  // namespace terminal
