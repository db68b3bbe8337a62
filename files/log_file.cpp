#include "files/log_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "names/command_log.h"
#include "os/open_file.h"
#include "os/program_folder.h"

namespace files {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr std::size_t kLineEndSize = sizeof kLineEnd - 1;
constexpr char kLogFileNameFormat[] = "ridozod-log-%Y%m%d-%H%M%S.txt";
constexpr char kCannotSave[] = "Cannot write the log to '%s': %s";

// Lines go out through a buffer this large: a million lines take a few
// dozen writes.
constexpr std::size_t kWriteBuffer = 1 << 20;

std::string Failure(const char* path, int error) {
  return names::FormatLine(kCannotSave, path, std::strerror(error));
}

}  // namespace

std::string LogFileName(const std::tm& local) {
  char name[64];
  const std::size_t n = std::strftime(name, sizeof name, kLogFileNameFormat, &local);
  return std::string(name, n);
}

std::string DefaultLogFileName() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  return local ? LogFileName(*local) : LogFileName(std::tm{});
}

std::string DefaultLogPath() {
  return os::ProgramFolder() + DefaultLogFileName();
}

std::string SaveLog(const char* path, const LogLines& lines) {
  const os::OpenedFile opened = os::OpenForWriting(path);
  if (!opened.file) return Failure(path, opened.error);
  std::FILE* file = opened.file;
  const auto buffer = std::make_unique_for_overwrite<char[]>(kWriteBuffer);
  std::setvbuf(file, buffer.get(), _IOFBF, kWriteBuffer);
  int error = 0;
  const std::size_t count = lines.Count();
  for (std::size_t i = 0; i < count && error == 0; ++i) {
    const std::string_view line = lines.Line(i);
    errno = 0;
    if (std::fwrite(line.data(), 1, line.size(), file) != line.size() ||
        std::fwrite(kLineEnd, 1, kLineEndSize, file) != kLineEndSize)
      error = errno ? errno : EIO;
  }
  // Flushed and closed before the verdict, so that a full disk is reported.
  errno = 0;
  if (std::fflush(file) != 0 && error == 0) error = errno ? errno : EIO;
  errno = 0;
  if (std::fclose(file) != 0 && error == 0) error = errno ? errno : EIO;
  return error == 0 ? std::string() : Failure(path, error);
}

std::string CopiedLogText(const LogLines& lines, std::size_t selected) {
  const std::size_t count = lines.Count();
  if (selected < count) return std::string(lines.Line(selected));
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += kLineEnd;
    text += lines.Line(i);
  }
  return text;
}

}  // namespace files
