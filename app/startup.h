// Start-up: the list files must all be present before any window appears.
#pragma once

#include "port/port.h"

namespace app {

// Tries to open each list file (res::kListFiles) in the current directory, in order. At the
// first one missing, shows "File %s is missing." (default error caption) and
// returns false; later names are not tried.
bool CheckListFiles(ui::Port& ui);

}  // namespace app
