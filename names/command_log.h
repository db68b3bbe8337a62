// The CommandLog's shared helpers: formatting a line, appending it, the status
// report of a failed call and the hexadecimal dump.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "names/lookup.h"
#include "port/port.h"

namespace names {

// printf-style formatting into a string of any length (no fixed line buffer).
std::string FormatLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

void AppendToLog(ui::Port& ui, std::string_view text);
// FormatLine's text appended to the log, without a string of its own.
void AppendFormatted(ui::Port& ui, const char* format, ...) __attribute__((format(printf, 2, 3)));

// "  RC = %d, errno = (%d) %s  ": logged, shown captioned "Command Status",
// then NameScratch is cleared.
void ReportStatus(ui::Port& ui, NameScratch& scratch, std::int32_t result, std::int32_t error);

// Title line, size line (the real count) and rows of sixteen bytes; a last
// partial row shows only its own bytes. Nothing for null data or a length of
// 0 or less.
void DumpHex(ui::Port& ui, const char* title, const void* data, std::int64_t length);

}  // namespace names
