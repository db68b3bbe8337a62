// The state of a running dialog's controls, kept apart from any drawing: the
// texts, items, selections and checks that a dialog procedure reads and sets.
// Front ends draw it and turn user input into changes and command messages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "port/port.h"
#include "resources/templates.h"

namespace ui {

struct ControlState {
  const res::Control* control = nullptr;
  std::string text;                // edit text, a combo's edit text, a button's caption
  std::vector<std::string> items;  // combo and list box items, in the order added
  int selection = -1;              // selected item, -1 for none
  bool checked = false;            // radio buttons
  int horizontal_extent = 0;       // list boxes, in pixels
};

class DialogModel : public Dialog {
 public:
  explicit DialogModel(const res::DialogTemplate& tmpl);

  const res::DialogTemplate& tmpl() const { return *tmpl_; }
  std::vector<ControlState>& controls() { return controls_; }
  ControlState* Find(int id);
  bool ended() const { return ended_; }
  int result() const { return result_; }

  // Columns at which the text of a multi-line edit wraps.
  static int WrapColumns(const res::Control& control);
  // The lines of a multi-line edit as shown: typed line ends and word wrap.
  static std::vector<std::string> WrapLines(const std::string& text, int columns);

  // Dialog
  std::string GetText(int id, std::size_t room = kFieldRoom) override;
  void SetText(int id, std::string_view text) override;
  void ResetContent(int id) override;
  void AddString(int id, std::string_view text) override;
  void SetCurSel(int id, int index) override;
  int GetCount(int id) override;
  void SetHorizontalExtent(int id, int pixels) override;
  bool IsChecked(int id) override;
  void CheckRadioButton(int first_id, int last_id, int checked_id) override;
  int GetLineCount(int id) override;
  int GetLineLength(int id, int line) override;
  std::string GetLine(int id, int line, std::size_t room) override;
  void End(int result) override;

 private:
  const std::vector<std::string>& LinesOf(int id);

  const res::DialogTemplate* tmpl_;
  std::vector<ControlState> controls_;
  // The last multi-line text wrapped, and its lines.
  int wrapped_id_ = -1;
  std::string wrapped_text_;
  std::vector<std::string> wrapped_lines_;
  bool ended_ = false;
  int result_ = 0;
};

}  // namespace ui
