// The program: start-up check, then the main window's message loop.
#pragma once

#include "port/port.h"

namespace app {

// Returns the process exit code: 1 when a list file is missing, else the
// message loop's (0).
int RunProgram(ui::FrontEnd& front_end);

}  // namespace app
