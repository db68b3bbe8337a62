#include "ui/win32/win32_dialog.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ui/win32/dialog_template.h"

namespace win32 {

namespace {

// The dialog rides in DialogBoxIndirectParamA's LPARAM and in the window's DWLP_USER.
static_assert(sizeof(LPARAM) == sizeof(Win32Dialog*) && sizeof(LONG_PTR) == sizeof(Win32Dialog*));
// EM_GETLINE reads the room from the first WORD of the buffer.
static_assert(sizeof(WORD) == 2);

// Posted to a dialog that the dialog manager has restored, to maximise it again.
constexpr UINT kMaximiseAgain = WM_APP + 1;

bool IsCombo(const res::Control& c) {
  return c.kind == res::ControlKind::kComboDropDown || c.kind == res::ControlKind::kComboDropList;
}

}  // namespace

int Win32Dialog::Run(HINSTANCE instance, HWND owner) {
  const std::vector<WORD> bytes = BuildDialogTemplate(tmpl_);
  return static_cast<int>(
      DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), owner,
                              &Win32Dialog::Procedure, reinterpret_cast<LPARAM>(this)));
}

INT_PTR CALLBACK Win32Dialog::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<Win32Dialog*>(lparam);
    SetWindowLongPtrA(window, DWLP_USER, lparam);
    self->window_ = window;
    self->proc_.OnInit(*self);
    // The dialog manager shows a dialog restored even when its template
    // carries the maximised state: show it as the template asks.
    if ((self->tmpl_.style & res::kMaximized) && IsWindow(window)) {
      ShowWindow(window, SW_SHOWMAXIMIZED);
      self->keep_maximised_ = true;
    }
    return TRUE;  // the system places the initial focus
  }
  auto* self = reinterpret_cast<Win32Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
  if (!self) return FALSE;
  switch (message) {
    case WM_SYSCOMMAND:
      self->keep_maximised_ = false;  // the user sizes it from here on
      return FALSE;
    case WM_WINDOWPOSCHANGED:
      // Some dialog managers restore the dialog again when their queue first
      // runs empty: it is maximised once more, after that show.
      if (self->keep_maximised_ && IsWindowVisible(window) && !IsZoomed(window)) {
        self->keep_maximised_ = false;
        PostMessageA(window, kMaximiseAgain, 0, 0);
      }
      return FALSE;
    case kMaximiseAgain:
      ShowWindow(window, SW_SHOWMAXIMIZED);
      return TRUE;
    case WM_COMMAND:
      break;
    default:
      return FALSE;
  }
  // The close box and Esc arrive as IDCANCEL, as the port promises.
  self->proc_.OnCommand(*self, LOWORD(wparam), HIWORD(wparam));
  return TRUE;
}

const res::Control* Win32Dialog::Find(int id) const {
  if (id < 0) return nullptr;
  for (const res::Control& c : tmpl_.controls)
    if (c.id == id) return &c;
  return nullptr;
}

LRESULT Win32Dialog::Send(int id, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!Find(id) || !window_) return 0;
  return SendDlgItemMessageA(window_, id, message, wparam, lparam);
}

std::string Win32Dialog::GetText(int id, std::size_t room) {
  if (!Find(id) || room == 0) return {};
  std::string text(std::min<std::size_t>(room, 0x7FFFFFFF), '\0');
  const UINT n = GetDlgItemTextA(window_, id, text.data(), static_cast<int>(text.size()));
  text.resize(std::min<std::size_t>(n, text.size() - 1));
  return text;
}

void Win32Dialog::SetText(int id, std::string_view text) {
  if (Find(id)) SetDlgItemTextA(window_, id, std::string(text).c_str());
}

void Win32Dialog::ResetContent(int id) {
  const res::Control* c = Find(id);
  if (!c) return;
  Send(id, IsCombo(*c) ? CB_RESETCONTENT : LB_RESETCONTENT);
}

void Win32Dialog::AddString(int id, std::string_view text) {
  const res::Control* c = Find(id);
  if (!c) return;
  const std::string s(text);  // terminated, as the A messages take it
  Send(id, IsCombo(*c) ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

void Win32Dialog::SetCurSel(int id, int index) {
  const res::Control* c = Find(id);
  if (!c) return;
  Send(id, IsCombo(*c) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index));
}

int Win32Dialog::GetCount(int id) {
  const res::Control* c = Find(id);
  if (!c) return 0;
  const LRESULT n = Send(id, IsCombo(*c) ? CB_GETCOUNT : LB_GETCOUNT);
  return n < 0 ? 0 : static_cast<int>(n);
}

void Win32Dialog::SetHorizontalExtent(int id, int pixels) {
  const res::Control* c = Find(id);
  if (!c) return;
  Send(id, IsCombo(*c) ? CB_SETHORIZONTALEXTENT : LB_SETHORIZONTALEXTENT,
       static_cast<WPARAM>(pixels));
}

bool Win32Dialog::IsChecked(int id) {
  return Find(id) && IsDlgButtonChecked(window_, id) == BST_CHECKED;
}

void Win32Dialog::CheckRadioButton(int first_id, int last_id, int checked_id) {
  if (window_) ::CheckRadioButton(window_, first_id, last_id, checked_id);
}

int Win32Dialog::GetLineCount(int id) {
  return static_cast<int>(Send(id, EM_GETLINECOUNT));
}

int Win32Dialog::GetLineLength(int id, int line) {
  // EM_LINELENGTH takes the index of a character of the line.
  const LRESULT first = Send(id, EM_LINEINDEX, static_cast<WPARAM>(line));
  if (first < 0 || line < 0) return 0;
  return static_cast<int>(Send(id, EM_LINELENGTH, static_cast<WPARAM>(first)));
}

std::string Win32Dialog::GetLine(int id, int line, std::size_t room) {
  if (!Find(id) || line < 0 || room == 0) return {};
  // EM_GETLINE reads the room from the buffer's first word and writes no terminator.
  const WORD max = static_cast<WORD>(std::min<std::size_t>(room, 0xFFFF));
  std::string text(std::max<std::size_t>(max, sizeof(WORD)), '\0');
  std::memcpy(text.data(), &max, sizeof max);
  const LRESULT n =
      Send(id, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(n, 0, max)));
  return text;
}

void Win32Dialog::End(int result) {
  if (window_) EndDialog(window_, result);
}

}  // namespace win32
