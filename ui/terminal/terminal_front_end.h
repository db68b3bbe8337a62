// The terminal front end: the main window, its menu and CommandLog, message
// boxes and modal dialogs, full screen in a terminal (curses).
//
//   if (std::string why = terminal::TerminalFrontEnd::NoTerminalReason(); !why.empty()) {
//     std::fprintf(stderr, "ridozod: %s\n", why.c_str());
//     return 1;
//   }
//   terminal::TerminalFrontEnd fe;
//   return app::RunProgram(fe);
#pragma once

#include <memory>
#include <string>

#include "os/clock.h"
#include "port/port.h"
#include "ui/terminal/device.h"
#include "ui/terminal/screen.h"

namespace terminal {

class TerminalFrontEnd : public ui::FrontEnd {
 public:
  // The main window's handle, as the POS library sees it.
  static constexpr ui::WindowHandle kMainWindowHandle = 0x00020046;
  // Run's result when the terminal cannot be started.
  static constexpr int kNoTerminalExit = 1;

  // Why the program cannot run here (no terminal); empty when it can.
  static std::string NoTerminalReason();

  // On the real terminal: curses starts when a window is first needed (a
  // message box may come before Run) and stops when none is left.
  TerminalFrontEnd();
  // On a given device and clock (tests).
  explicit TerminalFrontEnd(Device& device, const os::Clock& clock = os::SteadyClock());
  ~TerminalFrontEnd() override;

  Screen& screen() { return screen_; }

  // ui::Port
  void AppendLog(std::string_view line) override;
  void ShowMessage(std::string_view text, std::string_view caption) override;
  int RunDialog(const res::DialogTemplate& tmpl, ui::DialogProc& proc) override;
  ui::WindowHandle MainWindow() const override { return kMainWindowHandle; }
  void DestroyMainWindow() override { screen_.Destroy(); }

  // ui::FrontEnd
  int Run(ui::MainWindowProc& proc) override;

 private:
  // Starts the terminal when none is running; false when it cannot start.
  bool Acquire();
  // Gives the terminal back unless the main loop still needs it.
  void ReleaseUnlessRunning();
  // The log menu's commands go to RunLogCommand.
  void ServeLogMenu();

  std::unique_ptr<Device> owned_;
  bool use_curses_ = false;
  bool running_ = false;
  std::string start_error_;
  Screen screen_;
};

}  // namespace terminal
