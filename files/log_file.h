// The CommandLog as it leaves the program: saved to a file or copied as text.
// Each front end hands over the lines as it holds them; the bytes are made
// here, the same for all.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

namespace files {

// The lines of a log in their order.
class LogLines {
 public:
  virtual ~LogLines() = default;
  virtual std::size_t Count() const = 0;
  // Valid until the next call.
  virtual std::string_view Line(std::size_t index) const = 0;
};

// No line selected: Copy takes them all.
inline constexpr std::size_t kNoLogSelection = static_cast<std::size_t>(-1);

// "ridozod-log-YYYYMMDD-HHMMSS.txt" for a local time.
std::string LogFileName(const std::tm& local);
// The name for now.
std::string DefaultLogFileName();
// That name in the program's folder.
std::string DefaultLogPath();

// Creates or truncates the file and writes every line as the log holds it,
// each ended by CR LF, nothing else. Never waits for a FIFO's reader. Empty on
// success; else the message that names the file and the error.
std::string SaveLog(const char* path, const LogLines& lines);

// What Copy puts on a clipboard: the selected line, or with kNoLogSelection
// (or an index past the end) every line, CR LF between them.
std::string CopiedLogText(const LogLines& lines, std::size_t selected);

}  // namespace files
