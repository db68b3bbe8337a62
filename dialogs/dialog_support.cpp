#include "dialogs/dialog_support.h"

#include "files/list_file.h"
#include "names/command_log.h"
#include "resources/templates.h"

namespace dialogs {

void CommandDialog::OnCommand(ui::Dialog& dialog, int id, int notify) {
  if (presses_only_ && notify != ui::kNotifyClicked) return;
  if (id == res::kIdCancel) {
    dialog.End(0);
  } else if (id == res::kIdOk) {
    Ok(dialog);
  } else {
    OnOther(dialog, id, notify);
  }
}

void FillFromListFile(ui::Port& ui, ui::Dialog& dialog, int combo_id, const char* file) {
  dialog.ResetContent(combo_id);
  files::LoadListFile(ui, file, dialog, combo_id);
  dialog.SetCurSel(combo_id, 0);
}

void Log(Context& context, const std::string& line) {
  names::AppendToLog(context.ui, line);
}

bool ReportOutcome(Context& context, std::int32_t result, int status, const char* success_text,
                   const char* caption) {
  if (result < 0) {
    names::ReportStatus(context.ui, context.scratch, result, status);
    return false;
  }
  context.ui.ShowMessage(success_text, caption);
  return true;
}

}  // namespace dialogs
