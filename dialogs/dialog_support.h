// Small steps that several command dialogs share.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dialogs/command_dialogs.h"
#include "port/port.h"

namespace dialogs {

// A command dialog's procedure: OK runs Ok, Cancel (also the close box) ends
// the dialog, other commands go to OnOther. A dialog that compares the whole
// command parameter takes button presses only (notification code 0).
class CommandDialog : public ui::DialogProc {
 public:
  explicit CommandDialog(Context& context, bool presses_only = false)
      : c_(context), presses_only_(presses_only) {}
  void OnInit(ui::Dialog&) override {}
  void OnCommand(ui::Dialog& dialog, int id, int notify) override;

 protected:
  virtual void Ok(ui::Dialog& dialog) = 0;
  virtual void OnOther(ui::Dialog&, int /*id*/, int /*notify*/) {}

  Context& c_;

 private:
  bool presses_only_;
};

// Empties a combo box, fills it from a list file and selects its first item.
void FillFromListFile(ui::Port& ui, ui::Dialog& dialog, int combo_id, const char* file);

// Appends a formatted line to the CommandLog.
void Log(Context& context, const std::string& line);

// The outcome of a call that succeeds with a result of 0 or more: the success
// box, or the status report with the status left in errno. True on success.
bool ReportOutcome(Context& context, std::int32_t result, int status, const char* success_text,
                   const char* caption);

// The dialog procedures, one per command.
std::unique_ptr<ui::DialogProc> MakeInitDialog(Context& context);
std::unique_ptr<ui::DialogProc> MakeOpenDialog(Context& context);
std::unique_ptr<ui::DialogProc> MakeCloseDialog(Context& context);
std::unique_ptr<ui::DialogProc> MakeIoctlDialog(Context& context);
std::unique_ptr<ui::DialogProc> MakeReadDialog(Context& context);
std::unique_ptr<ui::DialogProc> MakeWriteDialog(Context& context);

}  // namespace dialogs
