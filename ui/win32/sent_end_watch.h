// A modal loop whose dialog or message box another thread ends with a sent
// message (a box closed by an automation tool) takes one more posted message
// as it ends, and drops it. While on, this watch tells when a dialog or box
// that this thread creates receives a command sent from another thread,
// before its loop can end: device events can then be taken where no loop
// drops them, at a cost paid only after such a command.
#pragma once

#include <windows.h>

#include <functional>

namespace win32 {

class SentEndWatch {
 public:
  // Sets or removes the hook that watches the dialogs and boxes made from
  // now on; `told` is called on such a command.
  void Watch(bool on, std::function<void()> told = {});
  ~SentEndWatch() { Watch(false); }

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK Watched(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HHOOK hook_ = nullptr;
  std::function<void()> told_;
  // The watch whose hook is set: one per thread that runs a main window.
  static thread_local SentEndWatch* watching_;
};

}  // namespace win32
