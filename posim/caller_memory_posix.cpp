// On 64-bit POSIX hosts the caller's memory lies above 4 GiB: a value that a
// 32-bit field holds is a number.
#include <cstdint>

#include "posim/values.h"

namespace posim {

bool MayBeCallerAddress(std::uintptr_t value) {
  return value > 0xFFFFFFFFu;
}

}  // namespace posim
