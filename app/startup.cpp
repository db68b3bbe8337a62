#include "app/startup.h"

#include "names/command_log.h"
#include "os/open_file.h"
#include "resources/list_files.h"

namespace app {

bool CheckListFiles(ui::Port& ui) {
  for (const char* name : res::kListFiles) {
    // Never waits: a FIFO without a writer opens at once (the dialog that
    // loads it refuses it then); a directory cannot be opened.
    const os::OpenedFile f = os::OpenForReading(name);
    if (!f.file) {
      ui.ShowMessage(names::FormatLine("File %s is missing.", name), {});
      return false;
    }
    std::fclose(f.file);
  }
  return true;
}

}  // namespace app
