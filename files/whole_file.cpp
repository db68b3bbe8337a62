#include "files/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "files/file_texts.h"
#include "names/command_log.h"
#include "os/open_file.h"

namespace files {

namespace {

using names::FormatLine;

// The steps of the reader up to the read itself. Each failure leaves its
// message; errno is reset before each call so that it tells that call's error.
struct Sized {
  long size = 0;
  std::string failure;
};

Sized MeasureFile(std::FILE* file, const char* path, std::int32_t capacity) {
  errno = 0;
  int seek = std::fseek(file, 0, SEEK_END);
  if (seek != 0) return {0, FormatLine(kSeekEndError, seek, errno, path)};
  errno = 0;
  const long size = std::ftell(file);
  if (size <= 0) return {size, FormatLine(kTellError, -1, errno, path)};
  errno = 0;
  seek = std::fseek(file, 0, SEEK_SET);
  if (seek != 0) return {size, FormatLine(kSeekSetError, seek, errno, path)};
  if (size > capacity) return {size, FormatLine(kBufferTooSmall, capacity, path, size)};
  return {size, {}};
}

}  // namespace

std::int32_t ReadWholeFile(ui::Port& ui, const char* path, unsigned char* buffer,
                           std::int32_t capacity) {
  if (!buffer) capacity = 0;
  std::string failure;
  std::int32_t result = -1;
  // Never waits: a FIFO without a writer opens at once and then fails at the
  // seek; a directory fails to open.
  if (const os::OpenedFile opened = os::OpenForReading(path); !opened.file) {
    failure = FormatLine(kOpenError, opened.error, path);
  } else {
    std::FILE* file = opened.file;
    const Sized sized = MeasureFile(file, path, capacity);
    failure = sized.failure;
    if (failure.empty()) {
      const auto size = static_cast<std::int32_t>(sized.size);
      result = static_cast<std::int32_t>(std::fread(buffer, 1, sized.size, file));
      if (result != size)
        failure = FormatLine(kShortRead, result, size, path);
      else if (const int error = std::ferror(file))
        failure = FormatLine(kReadError, error, path);
      else
        names::AppendToLog(ui, FormatLine(kReadDone, result, path));
    }
    std::fclose(file);
  }
  if (!failure.empty()) names::AppendToLog(ui, FormatLine(kReadFailure, failure.c_str()));
  return result;
}

std::int32_t WriteWholeFile(ui::Port& ui, const char* path, const unsigned char* data,
                            std::int32_t length) {
  if (!data || length < 0) length = 0;
  // A FIFO without a reader fails to open instead of waiting for one.
  const os::OpenedFile opened = os::OpenForWriting(path);
  if (!opened.file) {
    names::AppendToLog(
        ui, FormatLine(kWriteOpenFailure, FormatLine(kOpenError, opened.error, path).c_str()));
    return -1;
  }
  std::FILE* file = opened.file;
  const auto count =
      length == 0
          ? 0
          : static_cast<std::int32_t>(std::fwrite(data, 1, static_cast<std::size_t>(length), file));
  // Flushed before the checks, so that a full disk is reported, not a success.
  std::fflush(file);
  std::string line;
  if (count != length)
    line = FormatLine(kShortWrite, count, length, path);
  else if (const int error = std::ferror(file))
    line = FormatLine(kWriteError, error, path);
  else
    line = FormatLine(kWriteDone, count, path);
  names::AppendToLog(ui, line);
  std::fclose(file);
  return count;
}

}  // namespace files
