// The native Windows front end: the main window of class "RIDOZOD" with the
// command menu and the CommandLog list box, message boxes and the six modal
// dialogs, all real USER32 windows. Texts go through the ANSI ("A") calls,
// byte for byte in the ANSI code page.
//
//   int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int show) {
//     win32::Win32FrontEnd front_end(instance, previous, show);
//     return app::RunProgram(front_end);
//   }
#pragma once

#include <windows.h>

#include <cstddef>

#include "port/port.h"
#include "ui/win32/post_drain.h"
#include "ui/win32/sent_end_watch.h"

namespace win32 {

// GetMessageA, or what stands for it in a test.
using GetMessageFunction = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);

// The exit code when the window system fails: no main window, or a failing
// GetMessageA.
inline constexpr int kWindowSystemFailed = 1;

// Runs the thread's message loop until WM_QUIT and returns its exit code, or
// kWindowSystemFailed when get fails.
int RunMessageLoop(GetMessageFunction get = &GetMessageA);

class Win32FrontEnd : public ui::FrontEnd {
 public:
  Win32FrontEnd(HINSTANCE instance, HINSTANCE previous, int show)
      : instance_(instance), previous_(previous), show_(show) {}

  HWND main_window() const { return main_; }
  HWND command_log() const { return log_; }

  // ui::Port
  void AppendLog(std::string_view line) override;
  void ShowMessage(std::string_view text, std::string_view caption) override;
  int RunDialog(const res::DialogTemplate& tmpl, ui::DialogProc& proc) override;
  ui::WindowHandle MainWindow() const override { return reinterpret_cast<ui::WindowHandle>(main_); }
  void DestroyMainWindow() override;

  // ui::FrontEnd: registers the class (unless a previous instance did),
  // creates and shows the main window, runs the message loop.
  int Run(ui::MainWindowProc& proc) override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  bool RegisterMainClass();
  void CreateCommandLog(HWND parent);
  // Device events are handled while fewer than ui::kMaxModalDepth modal
  // windows are open; beyond that they wait, in order, for one to close.
  bool MayHandleEvents() const;
  // Counts a modal window open while it runs; when it closes with events
  // still waiting, wakes the main window to take them.
  template <typename Body>
  auto Modal(Body body);

  HINSTANCE instance_;
  HINSTANCE previous_;
  int show_;
  ui::MainWindowProc* proc_ = nullptr;
  HWND main_ = nullptr;
  HWND log_ = nullptr;
  // Modal windows (message boxes, dialogs) open now.
  std::size_t modal_open_ = 0;
  PostDrain drain_;
  // Sets the drain's guard once a modal window is told to end from outside.
  SentEndWatch watch_;
};

}  // namespace win32
