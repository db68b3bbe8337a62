#include "app/program.h"

#include "app/main_window.h"
#include "app/startup.h"
#include "dialogs/command_dialogs.h"
#include "dialogs/pos_calls.h"
#include "dialogs/resource_args.h"
#include "names/lookup.h"

namespace app {

int RunProgram(ui::FrontEnd& front_end) {
  if (!CheckListFiles(front_end)) return 1;

  // The state the commands share lives here, for the whole run.
  names::NameScratch scratch;
  dialogs::ResourceArgList args;
  dialogs::BoundPosCalls pos;
  dialogs::Context context{front_end, scratch, args, pos};
  MainWindowProcedure main_window(front_end, scratch,
                                  [&context](int id) { dialogs::RunCommandDialog(context, id); });
  return front_end.Run(main_window);
}

}  // namespace app
