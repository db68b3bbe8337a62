// The texts of the call trace: each call that the library receives with its
// arguments decoded, what it answered, and each event it posted. Texts and
// bytes are shown escaped and cut to a readable length.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "codes/pos_library.h"

namespace posim {

inline constexpr std::size_t kTracedBytes = 256;  // bytes of a buffer shown

// "12:03:04.512": the local time of day to the millisecond.
std::string TraceTime(std::chrono::system_clock::time_point when);
// "\"DEVNAME\"", or NULL.
std::string TraceText(const char* text);
// "[queueHandle=0x1234, deviceNumber=74, terminalName=\"LANE 1\"], 3"; the
// pairs are not read when the count is out of range or they are missing.
std::string TracePairs(const ResourcePair* pairs, std::int32_t count);
// "\"AB\\x0D\" (3 bytes)".
std::string TraceBytes(const void* data, std::int32_t length);
// "0", or "329 POSERR_SYS_TIMEOUT".
std::string TraceStatus(std::int32_t status);
// "302 POS_SYS_GET_VALUES".
std::string TraceRequest(std::int32_t request);
// "event POSM_SCAN_DATA_AVAIL (0x420B) to window 0x1234: wParam 0x00000003, lParam 13".
std::string TraceEvent(std::uintptr_t window, std::uint32_t message, std::uint32_t wparam,
                       std::uint32_t lparam);

}  // namespace posim
