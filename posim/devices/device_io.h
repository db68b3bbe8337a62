// PosRead and PosWrite on devices and on the event queue (handle 0).
#pragma once

#include <cstdint>

#include "posim/devices/device.h"

namespace posim {

// Fills at most size bytes; *out is the count delivered. POSERR_SYS_TIMEOUT
// when nothing waits to be read; POSERR_SYS_BUFFER_TOO_SMALL when the next
// item (label, card, key stroke, touch, weight record, event record) does not
// fit, which stays queued; POSERR_SYS_FUNCTION_NOT_SUPPORTED for devices that
// deliver no data.
std::int32_t ReadDevice(Device& device, std::uint8_t* buffer, std::int32_t size, std::int32_t* out);
std::int32_t ReadEventQueue(Client& client, std::uint8_t* buffer, std::int32_t size,
                            std::int32_t* out);

// Delivers data to the display, printer, NVRAM or RS-232 port; *out is the
// count taken.
std::int32_t WriteDevice(Client& client, Device& device, const std::uint8_t* data,
                         std::int32_t length, std::int32_t* out);

inline constexpr std::size_t kKeyStrokeSize = 2;   // scan code, character
inline constexpr std::size_t kTouchPointSize = 4;  // x, y: 16 bits each, little-endian
inline constexpr std::size_t kMaxPrintedLines = 1000;
inline constexpr std::size_t kRs232BufferSize = 65536;

}  // namespace posim
