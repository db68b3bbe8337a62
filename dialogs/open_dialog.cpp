// The Open dialog: PosOpen by device name and class, with the class's
// resource names offered and "queueHandle" passed after the user's pairs.
#include <cerrno>

#include "dialogs/dialog_support.h"
#include "dialogs/prefix_files.h"
#include "dialogs/resource_args.h"
#include "names/command_log.h"
#include "resources/dialog_defaults.h"
#include "resources/list_files.h"
#include "resources/templates.h"

namespace dialogs {

namespace {

constexpr const char* kDefaultDeviceName = res::kDialogDefaults.device_name;
constexpr const char* kDefaultDeviceClass = res::kDialogDefaults.device_class;
constexpr const char* kClassChoices = res::kClassListFile;
constexpr const char* kResourceChoices = res::kSystemListFile;
constexpr const char* kEcho = "Command-->  PosOpen(%s, %s, [], %d)";
constexpr const char* kOpenedLine = "  Handle :  %d  Device Name :  %s";
constexpr const char* kCaption = "POS Open";

// The last of the 20 pairs is kept for "queueHandle".
constexpr std::int32_t kMaxUserPairs = static_cast<std::int32_t>(kMaxPairs) - 1;

std::string TextOr(ui::Dialog& dialog, int id, const char* fallback) {
  std::string text = dialog.GetText(id);
  return text.empty() ? fallback : text;
}

class OpenDialog : public CommandDialog {
 public:
  using CommandDialog::CommandDialog;

  void OnInit(ui::Dialog& dialog) override {
    dialog.SetText(res::kIdDeviceName, kDefaultDeviceName);
    FillFromListFile(c_.ui, dialog, res::kIdDeviceClass, kClassChoices);
    PrepareResourceArgs(dialog, c_.args);
    FillFromListFile(c_.ui, dialog, res::kIdArgResource, kResourceChoices);
  }

  void OnOther(ui::Dialog& dialog, int id, int notify) override {
    if (id == res::kIdAddResource) AddResourceArg(c_.ui, dialog, c_.args);
    if (id == res::kIdDeviceClass && notify == ui::kNotifySelChange)
      OfferResourceNames(c_, dialog, id, ClassListFile);
  }

 private:
  void Ok(ui::Dialog& dialog) override {
    const std::string name = TextOr(dialog, res::kIdDeviceName, kDefaultDeviceName);
    const std::string device_class = TextOr(dialog, res::kIdDeviceClass, kDefaultDeviceClass);
    const std::optional<std::int32_t> count =
        CollectResourcePairs(c_.ui, dialog, c_.args, kMaxUserPairs);
    if (!count) return;
    Log(c_, names::FormatLine(kEcho, name.c_str(), device_class.c_str(), *count));
    EchoResourcePairs(c_.ui, c_.args, *count);
    c_.args.pair(static_cast<std::size_t>(*count)) =
        ResourcePair{kQueueHandleName, c_.ui.MainWindow()};
    const std::int32_t handle =
        c_.pos.Open(name.c_str(), device_class.c_str(), c_.args.pairs(), *count + 1);
    const int status = errno;
    if (handle > 0 && status >= 0) {
      const std::string line = names::FormatLine(kOpenedLine, handle, name.c_str());
      Log(c_, line);
      c_.ui.ShowMessage(line, kCaption);
    } else {
      names::ReportStatus(c_.ui, c_.scratch, handle, status);
    }
    dialog.End(0);
  }
};

}  // namespace

std::unique_ptr<ui::DialogProc> MakeOpenDialog(Context& context) {
  return std::make_unique<OpenDialog>(context);
}

}  // namespace dialogs
