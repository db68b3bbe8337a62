// 64-bit Windows places stacks and heaps below 4 GiB as well, so the size of
// a value does not tell an address: readable memory does. The lowest 64 KiB
// are never mapped, and a 32-bit -1 is the number a Hex row leaves empty.
#include <windows.h>

#include <cstdint>

#include "posim/values.h"

namespace posim {

bool MayBeCallerAddress(std::uintptr_t value) {
  if (value < 0x10000u || value == 0xFFFFFFFFu) return false;
  MEMORY_BASIC_INFORMATION info;
  if (VirtualQuery(reinterpret_cast<const void*>(value), &info, sizeof info) == 0) return false;
  constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                              PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  return info.State == MEM_COMMIT && (info.Protect & kReadable) != 0 &&
         (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) == 0;
}

}  // namespace posim
