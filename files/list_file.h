// List files: one name per line, they fill combo boxes. A file that cannot be
// opened is reported as a log line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "port/port.h"

namespace files {

// A list file longer than this is refused: sixteen thousand entries and more
// are no list of names but a wrong file.
inline constexpr std::int32_t kMaxListFileBytes = 1 << 20;

// Adds one combo-box entry per line of the list file. 0 when read, 1 when the
// file could not be opened (" File : %s is not found." is logged) or was
// refused (not a regular file, or longer than kMaxListFileBytes; logged too).
int LoadListFile(ui::Port& ui, const char* path, ui::Dialog& dialog, int combo_id);

// The entries of an open list file, each handed to add, reading at most
// max_bytes bytes. False when the file holds more than that.
bool ReadListEntries(std::FILE* file, std::int64_t max_bytes,
                     const std::function<void(const std::string&)>& add);

}  // namespace files
