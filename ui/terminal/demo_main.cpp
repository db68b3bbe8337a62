// A small program to try the terminal front end by hand: the menu opens the
// six dialogs with a procedure that fills their lists and closes on OK or
// Cancel, keys are echoed, and --box shows a message box before the window.
// --flood N posts N messages from another thread once the window is up.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "ui/post_queue.h"
#include "ui/terminal/terminal_front_end.h"

namespace {

class DemoDialog : public ui::DialogProc {
 public:
  explicit DemoDialog(ui::Port& port) : port_(port) {}
  void OnInit(ui::Dialog& d) override {
    for (int id : {res::kIdArgResource, res::kIdDeviceClass, res::kIdRequest}) {
      for (int i = 0; i < 12; ++i) d.AddString(id, "PosNItem" + std::to_string(i));
      d.SetCurSel(id, 0);
    }
    for (const char* t : {"Hex         ", "Dec         ", "String      "})
      d.AddString(res::kIdArgType, t);
    d.SetCurSel(res::kIdArgType, 0);
    d.CheckRadioButton(res::kIdUseListBox, res::kIdUseFile, res::kIdUseListBox);
  }
  void OnCommand(ui::Dialog& d, int id, int notify) override {
    if (id == res::kIdAddResource)
      d.AddString(res::kIdResourceList, d.GetText(res::kIdArgResource));
    if (id == res::kIdOk) port_.ShowMessage("OK pressed", "Demo");
    if (id == res::kIdOk || id == res::kIdCancel) d.End(0);
    if (notify == ui::kNotifySelChange)
      port_.AppendLog("selection change of " + std::to_string(id) + ": " + d.GetText(id));
  }

 private:
  ui::Port& port_;
};

class DemoWindow : public ui::MainWindowProc {
 public:
  explicit DemoWindow(terminal::TerminalFrontEnd& fe) : fe_(fe) {}
  void OnCommand(int id) override {
    if (id == res::kIdExit) fe_.DestroyMainWindow();
    if (const res::DialogTemplate* t = res::TemplateForCommand(id)) {
      DemoDialog proc(fe_);
      fe_.RunDialog(*t, proc);
    }
  }
  void OnKey(ui::KeyMessage kind, unsigned scan) override {
    const char* what = kind == ui::KeyMessage::kKeyDown ? "KeyDown"
                       : kind == ui::KeyMessage::kChar  ? "Char"
                                                        : "KeyUp";
    char line[64];
    std::snprintf(line, sizeof line, "%s %x \n", what, scan);
    fe_.AppendLog(line);
  }
  void OnPosted(std::uint32_t message, std::uint32_t wparam, std::uint32_t) override {
    fe_.AppendLog("posted " + std::to_string(message) + " #" + std::to_string(wparam));
  }

 private:
  terminal::TerminalFrontEnd& fe_;
};

}  // namespace

int main(int argc, char** argv) {
  if (std::string why = terminal::TerminalFrontEnd::NoTerminalReason(); !why.empty()) {
    std::fprintf(stderr, "terminal_demo: %s\n", why.c_str());
    return 2;
  }
  terminal::TerminalFrontEnd fe;
  int flood = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--box") == 0) fe.ShowMessage("File DEMO.DAT is missing.", "");
    if (std::strcmp(argv[i], "--flood") == 0 && i + 1 < argc) flood = std::atoi(argv[++i]);
  }
  std::thread poster([flood] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    for (int i = 0; i < flood; ++i)
      ui::PostToWindow(terminal::TerminalFrontEnd::kMainWindowHandle, 0x4201,
                       static_cast<std::uint32_t>(i), 0);
  });
  DemoWindow window(fe);
  const int rc = fe.Run(window);
  poster.join();
  return rc;
}
