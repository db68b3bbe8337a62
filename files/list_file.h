// List files (one name per line, they fill combo boxes) and the whole-file
// helpers of the Read and Write dialogs. Each reports its outcome as log lines.
#pragma once

#include <cstdint>

#include "ui/port.h"

namespace files {

// Adds one combo-box entry per line of the list file. 0 when read, 1 when the
// file could not be opened (" File : %s is not found." is logged).
int LoadListFile(ui::Port& ui, const char* path, ui::Dialog& dialog, int combo_id);

// Reads the whole file into buffer: the byte count (at least 1) or -1.
// Logs exactly one line.
std::int32_t ReadWholeFile(ui::Port& ui, const char* path, unsigned char* buffer,
                           std::int32_t capacity);

// Creates or truncates the file and writes length bytes: the count written or
// -1. Logs exactly one line.
std::int32_t WriteWholeFile(ui::Port& ui, const char* path, const unsigned char* data,
                            std::int32_t length);

}  // namespace files
