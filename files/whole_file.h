// The whole-file helpers of the Read and Write dialogs: a file read into a
// buffer and a buffer written to a file at once. Each logs its outcome.
#pragma once

#include <cstdint>

#include "port/port.h"

namespace files {

// Reads the whole file into buffer: the byte count (at least 1) or -1.
// Logs exactly one line.
std::int32_t ReadWholeFile(ui::Port& ui, const char* path, unsigned char* buffer,
                           std::int32_t capacity);

// Creates or truncates the file and writes length bytes: the count written or
// -1. Logs exactly one line.
std::int32_t WriteWholeFile(ui::Port& ui, const char* path, const unsigned char* data,
                            std::int32_t length);

}  // namespace files
