// The Ioctl dialog: requests by name, one after another, until Cancel.
#include <cerrno>

#include "codes/pos_codes.h"
#include "dialogs/argument_editor.h"
#include "dialogs/dialog_support.h"
#include "dialogs/fields.h"
#include "dialogs/prefix_files.h"
#include "dialogs/request_match.h"
#include "dialogs/resource_args.h"
#include "names/command_log.h"
#include "resources/list_files.h"
#include "resources/templates.h"

namespace dialogs {

namespace {

constexpr const char* kRequestChoices = res::kRequestListFile;
// The alarm's names when the dialog opens, whatever the first request.
constexpr ArgumentEditor kEditor{res::kAlarmListFile, res::kIdRequest, RequestListFile};
constexpr const char* kEcho = "Command-->  PosIoctl(%d, %s, [..], %d)";
constexpr const char* kNotSent = "  --> No request sent: '%s' names no single request  ";
constexpr const char* kSuccess = "PosIoctl Successful.";
constexpr const char* kCaption = "POS Ioctl";
constexpr std::int32_t kGetValues = POS_SYS_GET_VALUES;

class IoctlDialog : public CommandDialog {
 public:
  using CommandDialog::CommandDialog;

  void OnInit(ui::Dialog& dialog) override {
    FillFromListFile(c_.ui, dialog, res::kIdRequest, kRequestChoices);
    kEditor.Open(c_, dialog);
  }

  void OnOther(ui::Dialog& dialog, int id, int notify) override {
    kEditor.Command(c_, dialog, id, notify);
  }

 private:
  void Ok(ui::Dialog& dialog) override {
    const std::optional<std::int32_t> handle = ReadHandle(c_.ui, dialog);
    if (!handle) return;
    const std::string request = dialog.GetText(res::kIdRequest);
    std::int32_t code = 0;
    const MatchResult match = MatchRequestName(c_.ui, request, codes::RequestNames, code);
    const std::optional<std::int32_t> count =
        CollectResourcePairs(c_.ui, dialog, c_.args, static_cast<std::int32_t>(kMaxPairs));
    if (!count) return;
    Log(c_, names::FormatLine(kEcho, *handle, request.c_str(), *count));
    EchoResourcePairs(c_.ui, c_.args, *count);
    if (match == MatchResult::kMatched) {
      const std::int32_t result = c_.pos.Ioctl(*handle, code, c_.args.pairs(), *count);
      ReportOutcome(c_, result, errno, kSuccess, kCaption);
      if (code == kGetValues) EchoResourcePairs(c_.ui, c_.args, *count);
    } else {
      // Without a single match there is no request code to send.
      Log(c_, names::FormatLine(kNotSent, request.c_str()));
    }
    ClearResourceArgs(dialog, c_.args);
  }
};

}  // namespace

std::unique_ptr<ui::DialogProc> MakeIoctlDialog(Context& context) {
  return std::make_unique<IoctlDialog>(context);
}

}  // namespace dialogs
