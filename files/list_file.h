// List files: one name per line, they fill combo boxes. A file that cannot be
// opened is reported as a log line.
#pragma once

#include "ui/port.h"

namespace files {

// Adds one combo-box entry per line of the list file. 0 when read, 1 when the
// file could not be opened (" File : %s is not found." is logged).
int LoadListFile(ui::Port& ui, const char* path, ui::Dialog& dialog, int combo_id);

}  // namespace files
