// What the flood library (flood_library.cpp) and whoever drives it agree on:
// the control channel it finds named in the environment (flood_channel.h),
// its commands and reports, and the events it posts.
//
// Commands, one line each:
//   "keys SEED COUNT THREADS [RATE]"  each thread t posts COUNT POSM_KBD_WM_CHAR
//                              events, event i with ThreadKeyEventLParam(SEED, t, i);
//                              with RATE, all threads together post RATE events
//                              a second, else as fast as the window system takes them;
//   "events CODE COUNT"        one thread posts COUNT events CODE (hex), event i
//                              with wParam 0 and lParam i % 256;
//   "stop"                     the posting threads stop early;
//   "memory"                   reports the bytes the process holds.
// Reports, one line each:
//   "init"                     DLL_PosInitialize was called;
//   "posted FIRST LAST COUNT"  a "keys" or "events" command is done: steady-clock
//                              nanoseconds before the first post and after the
//                              last, and how many posts the window system took;
//   "memory BYTES"             the answer to "memory";
//   "term"                     DLL_PosTerm was called.
#pragma once

#include <cstdint>

#include "codes/pos_codes.h"

namespace flood {

// The variable that names the control channel: on POSIX hosts a socket
// descriptor (the benchmark and the tests give the program kControlFd), on
// Windows a named pipe the driver serves.
inline constexpr const char* kControlVariable = "RIDOZOD_FLOOD_FD";
inline constexpr int kControlFd = 3;

// Posting threads of one command, at most: a thread's number rides in the
// low bits of its scan codes.
inline constexpr int kMaxThreads = 8;

// Event i of a stream: a scan code and a key-up bit drawn from a 64-bit
// mix of seed and i, so that any few consecutive lines are unique in a
// burst (and a lost, doubled or swapped line shows).
inline std::uint32_t KeyEventLParam(std::uint64_t seed, std::uint64_t i) {
  std::uint64_t x = seed * 0x9E3779B97F4A7C15ull + i + 1;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  return static_cast<std::uint32_t>(x & 0xFF) | ((x & 0x100) ? POSM_KBD_WM_CHAR_KEY_UP : 0);
}

// Event i of posting thread t: its scan code's low three bits are t, so that
// each thread's lines can be told apart in the log and checked in order.
inline std::uint32_t ThreadKeyEventLParam(std::uint64_t seed, int thread, std::uint64_t i) {
  const std::uint32_t tag = static_cast<std::uint32_t>(thread) & (kMaxThreads - 1);
  return (KeyEventLParam(seed + static_cast<std::uint64_t>(thread), i) & ~(kMaxThreads - 1u)) | tag;
}

// The thread a posted key event came from.
inline int ThreadOfKeyEvent(std::uint32_t lparam) {
  return static_cast<int>(lparam & (kMaxThreads - 1));
}

}  // namespace flood
