// The menu ZorAZIMenu, built from the menu table with CreateMenu/AppendMenuA.
#pragma once

#include <windows.h>

#include "resources/templates.h"

namespace win32 {

// A menu bar with the one popup of the table; the caller gives it to a window.
HMENU BuildMenu(const res::Menu& menu);

}  // namespace win32
