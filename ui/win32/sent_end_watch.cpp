#include "ui/win32/sent_end_watch.h"

#include <cstring>
#include <utility>

namespace win32 {

namespace {

// The window property that keeps a watched window's own procedure.
constexpr const char* kOwnProcedure = "RidozodOwnProcedure";
// Dialogs and message boxes alike.
constexpr const char* kDialogClass = "#32770";

// Messages that end a dialog or a box, or lead to its end.
bool MayEnd(UINT message) {
  return message == WM_COMMAND || message == WM_CLOSE || message == WM_SYSCOMMAND;
}

}  // namespace

thread_local SentEndWatch* SentEndWatch::watching_ = nullptr;

void SentEndWatch::Watch(bool on, std::function<void()> told) {
  if (on == (hook_ != nullptr)) return;
  if (on) {
    hook_ = SetWindowsHookExA(WH_CBT, &OnCbt, nullptr, GetCurrentThreadId());
    if (!hook_) return;
    told_ = std::move(told);
    watching_ = this;
  } else {
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    watching_ = nullptr;
    told_ = nullptr;
  }
}

LRESULT CALLBACK SentEndWatch::OnCbt(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) {
    HWND window = reinterpret_cast<HWND>(wparam);
    const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs;
    char name[16] = {};
    if (!(create->style & WS_CHILD) && GetClassNameA(window, name, sizeof name) &&
        std::strcmp(name, kDialogClass) == 0) {
      // Before the window's first message, so that its own procedure sees
      // every message after the watch.
      const LONG_PTR own = SetWindowLongPtrA(window, GWLP_WNDPROC,
                                             reinterpret_cast<LONG_PTR>(&SentEndWatch::Watched));
      SetPropA(window, kOwnProcedure, reinterpret_cast<HANDLE>(own));
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

LRESULT CALLBACK SentEndWatch::Watched(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto own = reinterpret_cast<WNDPROC>(GetPropA(window, kOwnProcedure));
  if (MayEnd(message) && InSendMessage() && watching_ && watching_->told_) watching_->told_();
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    RemovePropA(window, kOwnProcedure);
  }
  return CallWindowProcA(own, window, message, wparam, lparam);
}

}  // namespace win32
