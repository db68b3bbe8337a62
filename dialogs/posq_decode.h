// The event-queue records that a read on handle 0 returns, decoded to the log.
#pragma once

#include <cstdint>

#include "names/lookup.h"
#include "port/port.h"

namespace dialogs {

// One 16-byte record (window, message code, mp1, mp2; little-endian). Any
// other length: an error line and a hex dump titled "POSQ Info".
void DecodePosqMessage(ui::Port& ui, names::NameScratch& scratch, const unsigned char* data,
                       std::int32_t length);

// A 32-bit little-endian field at offset of data (bytes beyond length are 0).
std::uint32_t LittleEndian32(const unsigned char* data, std::size_t length, std::size_t offset);

}  // namespace dialogs
