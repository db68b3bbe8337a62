#include "dialogs/command_dialogs.h"

#include "dialogs/dialog_support.h"
#include "resources/templates.h"

namespace dialogs {

namespace {

std::unique_ptr<ui::DialogProc> MakeDialog(Context& context, int command_id) {
  switch (command_id) {
    case res::kIdInitialize:
      return MakeInitDialog(context);
    case res::kIdOpen:
      return MakeOpenDialog(context);
    case res::kIdClose:
      return MakeCloseDialog(context);
    case res::kIdIoctl:
      return MakeIoctlDialog(context);
    case res::kIdRead:
      return MakeReadDialog(context);
    case res::kIdWrite:
      return MakeWriteDialog(context);
    default:
      return nullptr;
  }
}

}  // namespace

void RunCommandDialog(Context& context, int command_id) {
  const res::DialogTemplate* tmpl = res::TemplateForCommand(command_id);
  std::unique_ptr<ui::DialogProc> proc = MakeDialog(context, command_id);
  if (tmpl && proc) context.ui.RunDialog(*tmpl, *proc);
}

}  // namespace dialogs
