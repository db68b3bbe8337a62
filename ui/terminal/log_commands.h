// The CommandLog's menu in the terminal: "Copy" sends the selected line, or
// the whole log, to the terminal's clipboard; "Save log as..." asks for the
// file name in a small box (the default: a dated name in the program's
// folder) and writes the log there, or shows why it could not.
#pragma once

#include "ui/port.h"
#include "ui/terminal/device.h"
#include "ui/terminal/log_box.h"

namespace terminal {

// id: res::kLogCopy.id or res::kLogSave.id; others do nothing.
void RunLogCommand(int id, const LogBox& log, Device& device, ui::Port& port);

}  // namespace terminal
