// Opening a file by name without ever waiting: a FIFO without a peer opens (or
// fails) at once, and the caller learns what kind of file it got and its
// size, so that it can refuse what it cannot read to an end. Each platform
// has its own implementation (open_file_posix.cpp, open_file_win32.cpp).
#pragma once

#include <cstdint>
#include <cstdio>

namespace os {

enum class FileKind { kRegular, kDirectory, kOther };

struct OpenedFile {
  std::FILE* file = nullptr;  // binary mode; nullptr when the open failed
  int error = 0;              // errno of a failed open
  FileKind kind = FileKind::kOther;
  std::int64_t size = 0;  // of a regular file; 0 for the others
};

// Opens for reading. A directory is refused (EISDIR). A file that is not a
// regular one (a FIFO, a device) is opened all the same and keeps reading
// without waiting: a read with nothing there ends instead of blocking.
OpenedFile OpenForReading(const char* path);

// Creates or truncates for writing. A FIFO without a reader fails (ENXIO)
// instead of waiting for one; a write to a peer that stalls ends short.
OpenedFile OpenForWriting(const char* path);

}  // namespace os
