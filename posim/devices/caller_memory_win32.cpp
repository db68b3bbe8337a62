// Windows: ReadProcessMemory on the own process fails for bytes that cannot
// be read, where a plain read would end the program.
#include <windows.h>

#include "posim/devices/caller_memory.h"

namespace posim {

bool CopyCallerPage(std::uintptr_t address, char* out, std::size_t size) {
  SIZE_T copied = 0;
  return ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<const void*>(address), out, size,
                           &copied) &&
         copied == size;
}

}  // namespace posim
