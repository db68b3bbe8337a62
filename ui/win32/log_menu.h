// The CommandLog's own menu on Windows: "Copy" and "Save log as…" added to
// the log window's system menu. Copy puts the selected line, or every line
// when none is selected, on the clipboard as text; Save log as… asks with the
// common Save dialog and writes every line as the list box holds it. Close is
// greyed there: closing the log would destroy it and every later line.
#pragma once

#include <windows.h>

#include "port/port.h"

namespace win32 {

// Adds the two items to the list box's system menu and handles them there;
// a file that cannot be written is shown through the port's message box.
void AddLogMenu(HWND log, ui::Port& port);

}  // namespace win32
