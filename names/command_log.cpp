#include "names/command_log.h"

#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <string_view>

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

// Room for a line on the stack, and a string for one that does not fit:
// one formatting pass for any line that fits the room.
class LineRoom {
 public:
  std::string_view Format(const char* format, va_list args) {
    va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(room_, sizeof room_, format, args);
    std::string_view line;
    if (size > 0 && static_cast<std::size_t>(size) < sizeof room_) {
      line = std::string_view(room_, static_cast<std::size_t>(size));
    } else if (size > 0) {
      spill_.resize(static_cast<std::size_t>(size));
      // vsnprintf writes the zero byte too; std::string keeps room for it.
      std::vsnprintf(spill_.data(), spill_.size() + 1, format, again);
      line = spill_;
    }
    va_end(again);
    return line;
  }

 private:
  char room_[256];
  std::string spill_;
};

}  // namespace

std::string FormatLine(const char* format, ...) {
  LineRoom room;
  va_list args;
  va_start(args, format);
  std::string line(room.Format(format, args));
  va_end(args);
  return line;
}

void AppendFormatted(ui::Port& ui, const char* format, ...) {
  LineRoom room;
  va_list args;
  va_start(args, format);
  const std::string_view line = room.Format(format, args);
  va_end(args);
  AppendToLog(ui, line);
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
