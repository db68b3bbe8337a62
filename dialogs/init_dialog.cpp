// The Initialize dialog: PosInitialize with the main window as "queueHandle".
#include <cerrno>

#include "codes/pos_codes.h"
#include "dialogs/argument_editor.h"
#include "dialogs/dialog_support.h"
#include "dialogs/resource_args.h"
#include "names/command_log.h"
#include "resources/dialog_defaults.h"
#include "resources/list_files.h"
#include "resources/templates.h"

namespace dialogs {

namespace {

constexpr const char* kDefaultApplication = res::kDialogDefaults.application_name;
constexpr const char* kDefaultResourceFile = res::kDialogDefaults.resource_file;
constexpr ArgumentEditor kEditor{res::kSystemListFile};
constexpr int kDeviceOnlineCommand = POSM_SYS_DEVICE_ONLINE;
constexpr const char* kDeviceOnlineLine = "Message from DEVICE ON LINE";
constexpr const char* kEcho = "Command-->  PosInitialize(%s, %s, 0, 0, [], %d)";
constexpr const char* kSuccess = "Initialize Successful.";
constexpr const char* kCaption = "POS Initialize";

class InitDialog : public CommandDialog {
 public:
  explicit InitDialog(Context& context) : CommandDialog(context, true) {}

  void OnInit(ui::Dialog& dialog) override {
    dialog.SetText(res::kIdAppName, kDefaultApplication);
    dialog.SetText(res::kIdResourceFile, kDefaultResourceFile);
    kEditor.Open(c_, dialog);
    // Row 0 stands for "queueHandle": its pair is replaced at OK.
    const std::string first = dialog.GetText(res::kIdArgResource);
    c_.args.AddRow(kTagHex, first, kNoValue);
    dialog.AddString(res::kIdResourceList, first);
    dialog.SetText(res::kIdArgCount, "1");
  }

  void OnOther(ui::Dialog& dialog, int id, int notify) override {
    if (kEditor.Command(c_, dialog, id, notify)) return;
    if (id == kDeviceOnlineCommand) Log(c_, kDeviceOnlineLine);
  }

 private:
  void Ok(ui::Dialog& dialog) override {
    const std::string application = dialog.GetText(res::kIdAppName);
    const std::string resource_file = dialog.GetText(res::kIdResourceFile);
    const std::optional<std::int32_t> count =
        CollectResourcePairs(c_.ui, dialog, c_.args, static_cast<std::int32_t>(kMaxPairs));
    if (!count) return;
    c_.args.pair(0) = ResourcePair{kQueueHandleName, c_.ui.MainWindow()};
    Log(c_, names::FormatLine(kEcho, application.c_str(), resource_file.c_str(), *count));
    EchoResourcePairs(c_.ui, c_.args, *count);
    const std::int32_t result = c_.pos.Initialize(application.c_str(), resource_file.c_str(), 0, 0,
                                                  c_.args.pairs(), *count);
    ReportOutcome(c_, result, errno, kSuccess, kCaption);
    dialog.End(0);
  }
};

}  // namespace

std::unique_ptr<ui::DialogProc> MakeInitDialog(Context& context) {
  return std::make_unique<InitDialog>(context);
}

}  // namespace dialogs
