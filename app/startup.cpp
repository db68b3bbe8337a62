#include "app/startup.h"

#include <cstdio>

#include "names/command_log.h"
#include "resources/list_files.h"

namespace app {

bool CheckListFiles(ui::Port& ui) {
  for (const char* name : res::kListFiles) {
    std::FILE* f = std::fopen(name, "r");
    if (!f) {
      ui.ShowMessage(names::FormatLine("File %s is missing.", name), {});
      return false;
    }
    std::fclose(f);
  }
  return true;
}

}  // namespace app
