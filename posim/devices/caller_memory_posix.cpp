// POSIX: the kernel copies the caller's bytes and answers EFAULT where they
// cannot be read, where a plain read would end the program: process_vm_readv
// on the own process, or where a sandbox forbids that, write() into a pipe.
#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>

#include "posim/devices/caller_memory.h"

namespace posim {

bool CopyCallerPage(std::uintptr_t address, char* out, std::size_t size) {
  iovec to{out, size};
  iovec from{reinterpret_cast<void*>(address), size};
  const ssize_t n = process_vm_readv(getpid(), &to, 1, &from, 1, 0);
  if (n >= 0 || errno == EFAULT) return n == static_cast<ssize_t>(size);
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  // A pipe holds a page at once.
  const bool copied =
      write(ends[1], reinterpret_cast<const void*>(address), size) == static_cast<ssize_t>(size) &&
      read(ends[0], out, size) == static_cast<ssize_t>(size);
  close(ends[0]);
  close(ends[1]);
  return copied;
}

}  // namespace posim
