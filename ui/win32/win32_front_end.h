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

#include "ui/port.h"
#include "ui/win32/post_drain.h"

namespace win32 {

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

  HINSTANCE instance_;
  HINSTANCE previous_;
  int show_;
  ui::MainWindowProc* proc_ = nullptr;
  HWND main_ = nullptr;
  HWND log_ = nullptr;
  PostDrain drain_;
};

}  // namespace win32
