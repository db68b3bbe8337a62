// The Close dialog: one handle, one PosClose.
#include <cerrno>

#include "dialogs/dialog_support.h"
#include "dialogs/fields.h"
#include "names/command_log.h"
#include "resources/templates.h"

namespace dialogs {

namespace {

constexpr const char* kEcho = "Command-->  PosClose(%d)  ";
constexpr const char* kSuccess = "PosClose Successful.";
constexpr const char* kCaption = "POS Close";
constexpr const char* kClosedLine = "Close Handle %d successful";

class CloseDialog : public CommandDialog {
 public:
  using CommandDialog::CommandDialog;

 private:
  void Ok(ui::Dialog& dialog) override {
    const std::optional<std::int32_t> handle = ReadHandle(c_.ui, dialog);
    if (!handle) return;
    Log(c_, names::FormatLine(kEcho, *handle));
    const std::int32_t result = c_.pos.Close(*handle);
    if (ReportOutcome(c_, result, errno, kSuccess, kCaption))
      Log(c_, names::FormatLine(kClosedLine, *handle));
    dialog.End(0);
  }
};

}  // namespace

std::unique_ptr<ui::DialogProc> MakeCloseDialog(Context& context) {
  return std::make_unique<CloseDialog>(context);
}

}  // namespace dialogs
