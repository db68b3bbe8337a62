// The text grid of a line display: bytes written land at the cursor.
#pragma once

#include <cstdint>
#include <span>

#include "posim/devices/device.h"

namespace posim {

// Printable bytes go to the cursor, which moves on and wraps to the next row;
// CR returns to the first column, LF goes down a row, BS steps back, FF
// clears. Past the last row the display starts at the top again, or scrolls
// in displayMode 1. Other control bytes are ignored.
void WriteDisplay(Device& display, std::span<const std::uint8_t> data);
void ClearDisplay(Device& display);

}  // namespace posim
