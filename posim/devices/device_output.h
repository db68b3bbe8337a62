// What a device holds, as text for people and tests: the display's text, the
// printed lines, the bytes waiting on the RS-232 loop-back, the NVRAM
// contents, and every named value of a device.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "posim/devices/device.h"

namespace posim {

// The display's rows, the printer's lines, RS-232 or NVRAM bytes (bytes that
// are not printable as \xNN, a backslash as \\); for the scanner, MSR,
// keyboard and touch screen what waits to be read, one item a line after
// their count; other devices: their values, one "name = value" a line. No line
// end after the last line.
std::string DeviceOutput(Device& device);
// Every value of the device, one "name = value" a line.
std::string DeviceValues(Device& device);
// One line per device: name, class, device number, subtype, slot, port, state.
std::string DeviceList(Client& client);

// One item waiting to be read, as people read it: a key stroke as its scan
// code and character, a touch as its x and y, a label or card as its text.
std::string ItemText(std::int32_t class_code, const std::string& item);

// Bytes as printable text: \xNN for bytes that are not printable (LF kept
// when asked), \\ for a backslash.
std::string EscapedBytes(std::string_view bytes, bool keep_line_ends = false);

}  // namespace posim
