// A modal dialog on the terminal: draws a ui::DialogModel from its template
// and turns keys and clicks into model changes and the dialog procedure's
// command messages, as a Windows dialog does (tab order, groups, default
// button, Esc for Cancel).
#pragma once

#include <vector>

#include "port/dialog_model.h"
#include "port/port.h"
#include "ui/terminal/dialog_layout.h"
#include "ui/terminal/edit_line.h"
#include "ui/terminal/layer.h"
#include "ui/terminal/main_window.h"
#include "ui/terminal/multi_edit.h"
#include "ui/terminal/scroll_view.h"

namespace terminal {

class DialogLayer : public Layer {
 public:
  DialogLayer(ui::DialogModel& model, ui::DialogProc& proc,
              int client_top = MainWindow::kClientTop);

  // The procedure's initialisation, then the focus to the first tab stop.
  void Start();

  ui::DialogModel& model() { return model_; }
  const DialogPlace& place() const { return place_; }
  int focus() const { return focus_; }  // index into the controls, -1 for none
  int focused_id() const;
  bool dropped() const { return dropped_ >= 0; }
  Rect close_box() const { return Rect{place_.window.right() - 4, place_.window.y, 3, 1}; }
  Rect control_rect(int id) const;
  Rect drop_rect() const;  // the open combo box list

  // Layer
  void Layout(int width, int height) override;
  void Draw(CellGrid& grid, bool active) override;
  void HandleInput(const InputEvent& e) override;
  bool done() const override { return model_.ended(); }
  void Abandon() override;

 private:
  struct View {
    EditLine edit;    // edits, a drop-down combo's field
    MultiEdit multi;  // multi-line edits
    ScrollView list;  // list boxes and a combo's dropped list
  };

  ui::ControlState& state(int index) { return model_.controls()[static_cast<std::size_t>(index)]; }
  const res::Control& control(int index) { return *state(index).control; }
  int count() const { return static_cast<int>(views_.size()); }

  // Focus (dialog_layer.cpp)
  bool Focusable(int index);
  void SetFocus(int index, bool by_keyboard);
  void TabTo(int step);
  void MoveInGroup(int step);
  int DefaultButton();
  void Command(int id, int notify);
  void Press(int index);
  void CheckRadio(int index);
  bool HandleKey(const InputEvent& e);
  bool HandleControlKey(int index, const InputEvent& e);
  void HandleMouse(const InputEvent& e);
  int ControlAt(int x, int y);
  void ClickControl(int index, const InputEvent& e);

  // Combo and list boxes (dialog_lists.cpp)
  bool HandleComboKey(int index, const InputEvent& e);
  bool HandleListKey(int index, const InputEvent& e);
  // Selects an item and notifies the change; chosen: picked from the open
  // list, which notifies even when the item was already selected.
  void SelectItem(int index, int item, bool chosen);
  void SelectByLetter(int index, char c);
  void OpenDrop(int index);
  void CloseDrop() { dropped_ = -1; }
  void LayoutList(int index);
  bool ClickDrop(const InputEvent& e);
  void ClickCombo(int index, const InputEvent& e);
  void ClickList(int index, const InputEvent& e);

  // Drawing (dialog_draw.cpp)
  void DrawControl(CellGrid& grid, int index);
  void DrawButton(CellGrid& grid, int index, const Rect& r);
  void DrawCombo(CellGrid& grid, int index, const Rect& r);
  void DrawDrop(CellGrid& grid);

  ui::DialogModel& model_;
  ui::DialogProc& proc_;
  int client_top_;
  Size screen_;
  DialogPlace place_;
  std::vector<View> views_;
  int focus_ = -1;
  int dropped_ = -1;  // the combo whose list is open
};

}  // namespace terminal
