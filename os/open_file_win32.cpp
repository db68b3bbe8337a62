// Windows: fopen does not wait for a pipe's peer; the kind and size come from
// the open file's status.
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdio>

#include "os/open_file.h"

namespace os {

namespace {

OpenedFile Open(const char* path, const char* mode) {
  OpenedFile opened;
  struct _stat64 st {};
  if (_stat64(path, &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFDIR) {
    opened.error = EISDIR;
    opened.kind = FileKind::kDirectory;
    return opened;
  }
  errno = 0;
  opened.file = std::fopen(path, mode);
  if (opened.file == nullptr) {
    opened.error = errno;
    return opened;
  }
  if (_fstat64(_fileno(opened.file), &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFREG) {
    opened.kind = FileKind::kRegular;
    opened.size = static_cast<std::int64_t>(st.st_size);
  }
  return opened;
}

}  // namespace

OpenedFile OpenForReading(const char* path) {
  return Open(path, "rb");
}

OpenedFile OpenForWriting(const char* path) {
  return Open(path, "wb");
}

}  // namespace os
