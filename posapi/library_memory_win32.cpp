// Windows: ReadProcessMemory on the own process fails (or copies part) for an
// address that cannot be read, where a plain read would end the program.
#include <windows.h>

#include "posapi/library_memory.h"

namespace posapi {

std::size_t CopyReadableBytes(const void* address, void* out, std::size_t size) {
  if (size == 0) return 0;
  SIZE_T copied = 0;
  if (!ReadProcessMemory(GetCurrentProcess(), address, out, size, &copied) &&
      GetLastError() != ERROR_PARTIAL_COPY)
    return 0;
  return static_cast<std::size_t>(copied);
}

}  // namespace posapi
