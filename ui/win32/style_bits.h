// Turning the portable style flags of resources/ into the window system's bits.
#pragma once

#include <windows.h>

#include <cstddef>

namespace win32 {

// One portable flag and the bits it stands for.
struct StyleBit {
  unsigned from;
  DWORD to;
};

template <std::size_t N>
constexpr DWORD MapStyle(unsigned flags, const StyleBit (&bits)[N]) {
  DWORD style = 0;
  for (const StyleBit& b : bits)
    if (flags & b.from) style |= b.to;
  return style;
}

}  // namespace win32
