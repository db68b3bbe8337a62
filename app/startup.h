// Start-up: the list files must all be present before any window appears.
#pragma once

#include <array>

#include "ui/port.h"

namespace app {

// The sixteen list files, in the order they are checked.
inline constexpr std::array<const char*, 16> kListFiles{
    "PRESOURC.DAT", "PIOCTLRE.DAT", "PSYSTEM.DAT",  "PDEVICE.DAT", "PALARM.DAT", "PDISPLAY.DAT",
    "PDRAWER.DAT",  "PKEYBRD.DAT",  "PMSR.DAT",     "PNVRAM.DAT",  "PPOWER.DAT", "PPRINTER.DAT",
    "PPOSRS23.DAT", "PSCALE.DAT",   "PSCANNER.DAT", "PTOUCH.DAT"};

// Tries to open each list file in the current directory, in order. At the
// first one missing, shows "File %s is missing." (default error caption) and
// returns false; later names are not tried.
bool CheckListFiles(ui::Port& ui);

}  // namespace app
