#include "names/command_log.h"

#include <cinttypes>
#include <cstdarg>
#include <cstdio>

namespace names {

namespace {

constexpr char kStatusFormat[] = "  RC = %d, errno = (%d) %s  ";
constexpr char kStatusCaption[] = "Command Status";

constexpr char kDumpTitleFormat[] = "      %s:  ";
constexpr char kDumpNoTitle[] = "(No title)";
// The size line shows the real count, also past 65535 bytes.
constexpr char kDumpSizeFormat[] = "      (%" PRId64 " bytes)";
// Offsets past 0xFFFF take more digits.
constexpr char kDumpOffsetFormat[] = "   %04" PRIX64 ": ";
constexpr char kDumpByteFormat[] = "%02X ";
constexpr char kDumpAsciiFormat[] = " | %s\n";

constexpr std::int64_t kRowBytes = 16;

// Printable in the default locale: 0x20 to 0x7E.
char AsciiOf(unsigned char b) {
  return (b >= 0x20 && b <= 0x7E) ? static_cast<char>(b) : '.';
}

// One row of the dump: offset, the row's bytes in hexadecimal, and the ASCII
// column of exactly those bytes.
std::string DumpRow(const unsigned char* bytes, std::int64_t offset, std::int64_t count) {
  std::string line = FormatLine(kDumpOffsetFormat, offset);
  std::string ascii;
  for (std::int64_t i = 0; i < count; ++i) {
    line += FormatLine(kDumpByteFormat, bytes[i]);
    ascii += AsciiOf(bytes[i]);
  }
  return line + FormatLine(kDumpAsciiFormat, ascii.c_str());
}

}  // namespace

std::string FormatLine(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int size = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string line;
  if (size > 0) {
    line.resize(static_cast<std::size_t>(size));
    // vsnprintf writes the zero byte too; std::string keeps room for it.
    std::vsnprintf(line.data(), line.size() + 1, format, again);
  }
  va_end(again);
  return line;
}

void AppendToLog(ui::Port& ui, std::string_view text) {
  ui.AppendLog(text);
}

void ReportStatus(ui::Port& ui, NameScratch& scratch, std::int32_t result, std::int32_t error) {
  const std::string line =
      FormatLine(kStatusFormat, result, error, LookupName(scratch, ErrorNames, error));
  AppendToLog(ui, line);
  ui.ShowMessage(line, kStatusCaption);
  ClearNameScratch(scratch);
}

void DumpHex(ui::Port& ui, const char* title, const void* data, std::int64_t length) {
  if (!data || length <= 0) return;
  AppendToLog(ui, FormatLine(kDumpTitleFormat, title ? title : kDumpNoTitle));
  AppendToLog(ui, FormatLine(kDumpSizeFormat, length));
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (std::int64_t offset = 0; offset < length; offset += kRowBytes) {
    const std::int64_t count = length - offset < kRowBytes ? length - offset : kRowBytes;
    AppendToLog(ui, DumpRow(bytes + offset, offset, count));
  }
}

}  // namespace names
