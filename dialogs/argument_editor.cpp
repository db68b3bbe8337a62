#include "dialogs/argument_editor.h"

#include "dialogs/dialog_support.h"
#include "dialogs/resource_args.h"
#include "resources/templates.h"

namespace dialogs {

void ArgumentEditor::Open(Context& context, ui::Dialog& dialog) const {
  PrepareResourceArgs(dialog, context.args);
  FillFromListFile(context.ui, dialog, res::kIdArgResource, names_file);
}

bool ArgumentEditor::Command(Context& context, ui::Dialog& dialog, int id, int notify) const {
  if (id == res::kIdAddResource) {
    AddResourceArg(context.ui, dialog, context.args);
    return true;
  }
  if (chooser_id != 0 && id == chooser_id && notify == ui::kNotifySelChange) {
    // A choice that names no list file keeps the names; the rows added stay.
    if (const char* file = names_for(dialog.GetText(chooser_id)))
      FillFromListFile(context.ui, dialog, res::kIdArgResource, file);
    return true;
  }
  return false;
}

}  // namespace dialogs
