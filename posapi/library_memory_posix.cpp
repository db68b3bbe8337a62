// POSIX: the kernel copies the bytes and answers EFAULT for an address that
// cannot be read, where a plain read would end the program. process_vm_readv
// on the own process first; where a sandbox forbids it, write() into a pipe
// does the same check.
#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>

#include "posapi/library_memory.h"

namespace posapi {

namespace {

std::size_t CopyThroughPipe(const void* address, void* out, std::size_t size) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return 0;
  std::size_t copied = 0;
  // A pipe takes at least one page at once; the caller asks for no more.
  const ssize_t written = write(ends[1], address, size);
  if (written > 0) {
    const ssize_t got = read(ends[0], out, static_cast<std::size_t>(written));
    if (got > 0) copied = static_cast<std::size_t>(got);
  }
  close(ends[0]);
  close(ends[1]);
  return copied;
}

}  // namespace

std::size_t CopyReadableBytes(const void* address, void* out, std::size_t size) {
  if (size == 0) return 0;
  iovec local{out, size};
  iovec remote{const_cast<void*>(address), size};
  const ssize_t n = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
  if (n >= 0) return static_cast<std::size_t>(n);
  if (errno == EFAULT) return 0;
  return CopyThroughPipe(address, out, size);
}

}  // namespace posapi
