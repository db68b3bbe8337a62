#include "names/command_log.h"

#include <algorithm>
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

// A row: "   %04X: " with the offset (more digits past 0xFFFF), "%02X " for each
// byte, then " | " and the ASCII column of exactly those bytes and "\n". Built
// by hand, without a formatting call per byte.
constexpr std::string_view kDumpRowIndent = "   ";
constexpr std::string_view kDumpOffsetEnd = ": ";
constexpr std::string_view kDumpAsciiStart = " | ";
constexpr char kDumpRowEnd = '\n';
constexpr int kDumpOffsetDigits = 4;      // at least
constexpr int kDumpOffsetMaxDigits = 16;  // all of a 64-bit offset
constexpr char kHexDigits[] = "0123456789ABCDEF";

constexpr std::int64_t kRowBytes = 16;

// Printable in the default locale: 0x20 to 0x7E.
char AsciiOf(unsigned char b) {
  return (b >= 0x20 && b <= 0x7E) ? static_cast<char>(b) : '.';
}

// One row of the dump into line (emptied first), written into room on the
// stack and assigned at once.
void DumpRow(std::string& line, const unsigned char* bytes, std::int64_t offset,
             std::int64_t count) {
  char room[kDumpRowIndent.size() + kDumpOffsetMaxDigits + kDumpOffsetEnd.size() + 3 * kRowBytes +
            kDumpAsciiStart.size() + kRowBytes + 1];
  char* p = std::copy(kDumpRowIndent.begin(), kDumpRowIndent.end(), room);
  int digits = kDumpOffsetDigits;
  while (digits < kDumpOffsetMaxDigits && (static_cast<std::uint64_t>(offset) >> (4 * digits)) != 0)
    ++digits;
  for (int d = digits - 1; d >= 0; --d)
    *p++ = kHexDigits[(static_cast<std::uint64_t>(offset) >> (4 * d)) & 0xF];
  p = std::copy(kDumpOffsetEnd.begin(), kDumpOffsetEnd.end(), p);
  for (std::int64_t i = 0; i < count; ++i) {
    *p++ = kHexDigits[bytes[i] >> 4];
    *p++ = kHexDigits[bytes[i] & 0xF];
    *p++ = ' ';
  }
  p = std::copy(kDumpAsciiStart.begin(), kDumpAsciiStart.end(), p);
  for (std::int64_t i = 0; i < count; ++i) *p++ = AsciiOf(bytes[i]);
  *p++ = kDumpRowEnd;
  line.assign(room, p);
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
      FormatLine(kStatusFormat, result, error, LookupName(scratch, codes::ErrorNames, error));
  AppendToLog(ui, line);
  ui.ShowMessage(line, kStatusCaption);
  ClearNameScratch(scratch);
}

void DumpHex(ui::Port& ui, const char* title, const void* data, std::int64_t length) {
  if (!data || length <= 0) return;
  AppendToLog(ui, FormatLine(kDumpTitleFormat, title ? title : kDumpNoTitle));
  AppendToLog(ui, FormatLine(kDumpSizeFormat, length));
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::string row;
  for (std::int64_t offset = 0; offset < length; offset += kRowBytes) {
    const std::int64_t count = length - offset < kRowBytes ? length - offset : kRowBytes;
    DumpRow(row, bytes + offset, offset, count);
    AppendToLog(ui, row);
  }
}

}  // namespace names
