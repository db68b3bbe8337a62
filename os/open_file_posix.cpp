// POSIX: open(2) with O_NONBLOCK, so that a FIFO never makes the open wait;
// the flag is cleared again for regular files, where it means nothing, and
// kept for the others, where a read or write would otherwise wait on a peer.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "os/open_file.h"

namespace os {

namespace {

OpenedFile Open(const char* path, int flags, const char* mode) {
  OpenedFile opened;
  const int fd = open(path, flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    opened.error = errno;
    return opened;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    opened.error = errno;
    close(fd);
    return opened;
  }
  if (S_ISDIR(st.st_mode)) {
    close(fd);
    opened.error = EISDIR;
    opened.kind = FileKind::kDirectory;
    return opened;
  }
  if (S_ISREG(st.st_mode)) {
    opened.kind = FileKind::kRegular;
    opened.size = static_cast<std::int64_t>(st.st_size);
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  }
  opened.file = fdopen(fd, mode);
  if (opened.file == nullptr) {
    opened.error = errno;
    close(fd);
  }
  return opened;
}

}  // namespace

OpenedFile OpenForReading(const char* path) {
  return Open(path, O_RDONLY, "rb");
}

OpenedFile OpenForWriting(const char* path) {
  return Open(path, O_WRONLY | O_CREAT | O_TRUNC, "wb");
}

}  // namespace os
