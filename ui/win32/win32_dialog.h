// A running modal dialog as the core's dialog procedure sees it, over the real
// controls of a dialog window built from a template (DialogBoxIndirectParamA).
#pragma once

#include <windows.h>

#include "port/port.h"
#include "resources/templates.h"

namespace win32 {

class Win32Dialog : public ui::Dialog {
 public:
  Win32Dialog(const res::DialogTemplate& tmpl, ui::DialogProc& proc) : tmpl_(tmpl), proc_(proc) {}

  // Runs the dialog modally with owner as its owner window; returns the
  // result given to End (-1 when the dialog could not be created).
  int Run(HINSTANCE instance, HWND owner);

  HWND window() const { return window_; }

  // ui::Dialog
  std::string GetText(int id, std::size_t room = ui::kFieldRoom) override;
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
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  // The template's control with this id, or nullptr.
  const res::Control* Find(int id) const;
  // Sends a message to a control of the template; 0 for an unknown id.
  LRESULT Send(int id, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);

  const res::DialogTemplate& tmpl_;
  ui::DialogProc& proc_;
  HWND window_ = nullptr;
  // Maximised from the template, not yet restored by the user.
  bool keep_maximised_ = false;
};

}  // namespace win32
