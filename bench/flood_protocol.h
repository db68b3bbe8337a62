// What the flood library (flood_library.cpp) and whoever drives it agree on:
// the control socket it finds as a descriptor named in the environment, its
// commands and reports, and the events it posts.
//
// Commands, one line each:
//   "keys SEED COUNT THREADS"  each thread t posts COUNT POSM_KBD_WM_CHAR events,
//                              event i with KeyEventLParam(SEED + t, i);
//   "stop"                     the posting threads stop early.
// Reports, one line each:
//   "init"                     DLL_PosInitialize was called;
//   "posted FIRST LAST COUNT"  a "keys" command is done: steady-clock nanoseconds
//                              before the first post and after the last, and how
//                              many posts the window system took;
//   "term"                     DLL_PosTerm was called.
#pragma once

#include <cstdint>

namespace flood {

// The variable that names the control descriptor, and the descriptor the
// benchmark and the tests give the program.
inline constexpr const char* kControlVariable = "RIDOZOD_FLOOD_FD";
inline constexpr int kControlFd = 3;

// The key-up flag of POSM_KBD_WM_CHAR's lParam.
inline constexpr std::uint32_t kKeyUp = 0x40000;

// Event i of a stream: a scan code and a key-up bit drawn from a 64-bit
// mix of seed and i, so that any few consecutive lines are unique in a
// burst (and a lost, doubled or swapped line shows).
inline std::uint32_t KeyEventLParam(std::uint64_t seed, std::uint64_t i) {
  std::uint64_t x = seed * 0x9E3779B97F4A7C15ull + i + 1;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  return static_cast<std::uint32_t>(x & 0xFF) | ((x & 0x100) ? kKeyUp : 0);
}

}  // namespace flood
