#include "ui/terminal/terminal_front_end.h"

#include <cstdio>
#include <string>

#include "port/dialog_model.h"
#include "port/post_queue.h"
#include "ui/terminal/curses_device.h"
#include "ui/terminal/dialog_layer.h"
#include "ui/terminal/log_commands.h"
#include "ui/terminal/message_box.h"

namespace terminal {

std::string TerminalFrontEnd::NoTerminalReason() {
  return TerminalProblem();
}

TerminalFrontEnd::TerminalFrontEnd() : use_curses_(true) {
  ServeLogMenu();
}

TerminalFrontEnd::TerminalFrontEnd(Device& device, const os::Clock& clock)
    : screen_(&device, clock) {
  ServeLogMenu();
}

void TerminalFrontEnd::ServeLogMenu() {
  screen_.SetLogCommandHandler([this](int id) {
    if (screen_.device()) RunLogCommand(id, screen_.main_window().log(), *screen_.device(), *this);
  });
}

TerminalFrontEnd::~TerminalFrontEnd() {
  screen_.Attach(nullptr);
  owned_.reset();
}

bool TerminalFrontEnd::Acquire() {
  if (screen_.device()) return true;
  if (!use_curses_) return false;
  owned_ = StartCursesDevice(&start_error_);
  if (!owned_) return false;
  screen_.Attach(owned_.get());
  return true;
}

void TerminalFrontEnd::ReleaseUnlessRunning() {
  if (running_ || !owned_) return;
  screen_.Attach(nullptr);
  owned_.reset();  // the terminal is restored
}

void TerminalFrontEnd::AppendLog(std::string_view line) {
  screen_.AppendLog(line);
}

void TerminalFrontEnd::ShowMessage(std::string_view text, std::string_view caption) {
  MessageBoxLayer box(text, caption);
  if (!Acquire()) {
    // No terminal: the box's text still reaches the user.
    std::fprintf(stderr, "%s: %.*s\n", box.caption().c_str(), static_cast<int>(text.size()),
                 text.data());
    return;
  }
  try {
    screen_.RunModal(box);
  } catch (...) {
    ReleaseUnlessRunning();
    throw;
  }
  ReleaseUnlessRunning();
}

int TerminalFrontEnd::RunDialog(const res::DialogTemplate& tmpl, ui::DialogProc& proc) {
  if (!Acquire()) return -1;
  ui::DialogModel model(tmpl);
  DialogLayer dialog(model, proc);
  try {
    dialog.Start();
    if (!model.ended()) screen_.RunModal(dialog);
  } catch (...) {
    ReleaseUnlessRunning();
    throw;
  }
  ReleaseUnlessRunning();
  return model.result();
}

int TerminalFrontEnd::Run(ui::MainWindowProc& proc) {
  if (!Acquire()) {
    std::fprintf(stderr, "ridozod: %s\n", start_error_.c_str());
    return kNoTerminalExit;
  }
  running_ = true;
  ui::InstallPostTarget(&screen_.queue(), kMainWindowHandle);
  try {
    screen_.RunMain(proc);
  } catch (...) {
    ui::InstallPostTarget(nullptr, 0);
    running_ = false;
    ReleaseUnlessRunning();
    throw;
  }
  ui::InstallPostTarget(nullptr, 0);
  running_ = false;
  ReleaseUnlessRunning();
  return 0;
}

}  // namespace terminal
