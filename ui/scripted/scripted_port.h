// A front end for tests: it runs the real core, plays scripted user actions in
// dialogs, answers every message box with OK, and records every log line and
// every box in order.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "port/dialog_model.h"
#include "port/port.h"
#include "port/post_queue.h"

namespace ui {

class ScriptedPort;

// What a test does inside one running dialog.
class ScriptedDialog {
 public:
  ScriptedDialog(DialogModel& model, DialogProc& proc, ScriptedPort& port)
      : model_(model), proc_(proc), port_(port) {}

  DialogModel& model() { return model_; }
  bool ended() const { return model_.ended(); }

  // Replaces a control's text, as the user typing into it.
  void Type(int id, std::string_view text);
  // Presses a button: the command message (id, clicked).
  void Press(int id);
  // Picks an item of a combo box: selection, then the selection-change command.
  void Select(int id, int index);
  // Picks the item with this text; false when there is none.
  bool SelectText(int id, std::string_view text);
  // Checks an automatic radio button (its group's others are cleared).
  void Check(int id);
  // Sends any command message.
  void Command(int id, int notify = kNotifyClicked);
  std::string Text(int id) { return model_.GetText(id, 1u << 20); }
  std::vector<std::string> Items(int id);

 private:
  DialogModel& model_;
  DialogProc& proc_;
  ScriptedPort& port_;
};

class ScriptedPort : public Port {
 public:
  struct Entry {
    enum Kind { kLog, kBox } kind;
    std::string text;
    std::string caption;  // boxes only; "Error" for a box without caption
    bool operator==(const Entry&) const = default;
  };
  using DialogScript = std::function<void(ScriptedDialog&)>;

  static constexpr WindowHandle kMainWindow = 0x00010046;

  explicit ScriptedPort(MainWindowProc* main = nullptr) : main_(main) {}
  ~ScriptedPort() override;

  void SetMainWindowProc(MainWindowProc* main) { main_ = main; }
  // The handle the main window goes by (kMainWindow unless set): a real
  // window's where the library posts through the window system.
  void SetMainWindowHandle(WindowHandle window) { window_ = window; }

  // The next RunDialog runs this script; a dialog that is left open when its
  // script returns (or that has no script) is cancelled and counted.
  void ExpectDialog(DialogScript script) { scripts_.push_back(std::move(script)); }
  int unfinished_dialogs() const { return unfinished_dialogs_; }
  int dialogs_run() const { return dialogs_run_; }

  // Runs while a message box is open, after posted messages were dispatched.
  void OnMessageBox(std::function<void(const Entry&)> hook) { box_hook_ = std::move(hook); }

  // Posted messages go to the main window procedure at Pump(), and while a box
  // or a dialog is open. InstallAsPostTarget routes the real posting call here.
  void Post(std::uint32_t message, std::uint32_t wparam, std::uint32_t lparam);
  void InstallAsPostTarget();
  void Pump();
  PostQueue& queue() { return queue_; }

  const std::vector<Entry>& entries() const { return entries_; }
  std::vector<std::string> LogLines() const;
  std::vector<Entry> Boxes() const;
  void Clear() { entries_.clear(); }
  bool destroyed() const { return destroyed_; }

  // Port
  void AppendLog(std::string_view line) override;
  void ShowMessage(std::string_view text, std::string_view caption) override;
  int RunDialog(const res::DialogTemplate& tmpl, DialogProc& proc) override;
  WindowHandle MainWindow() const override { return window_; }
  void DestroyMainWindow() override { destroyed_ = true; }

 private:
  MainWindowProc* main_;
  WindowHandle window_ = kMainWindow;
  std::deque<DialogScript> scripts_;
  std::function<void(const Entry&)> box_hook_;
  PostQueue queue_;
  std::deque<PostedMessage> pending_;  // drained, not yet handled
  static constexpr std::size_t kMaxBoxDepth = ui::kMaxModalDepth;
  std::size_t box_depth_ = 0;
  bool installed_ = false;
  std::vector<Entry> entries_;
  int unfinished_dialogs_ = 0;
  int dialogs_run_ = 0;
  bool destroyed_ = false;
};

}  // namespace ui
