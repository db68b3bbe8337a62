// What happens at a device from outside: a label scanned, a card swiped, a
// load on the scale, a key pressed, a touch, the drawer pushed shut, the
// printer's paper running out, a device going off line. Each posts the event
// a real device would.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "posim/devices/device.h"

namespace posim {

inline constexpr std::size_t kMaxLabelLength = 64;
inline constexpr std::size_t kMaxTrackLength[3] = {79, 40, 107};
inline constexpr std::int32_t kMaxLoadGrams = 100000;

std::int32_t ScanLabel(Client& client, Device& scanner, const std::string& label);
// Empty texts for tracks the card does not hold.
std::int32_t SwipeCard(Client& client, Device& msr, const std::string (&tracks)[3]);
std::int32_t PlaceLoad(Client& client, Device& scale, std::int32_t grams);
std::int32_t PressKey(Client& client, Device& keyboard, std::uint8_t scan_code, char character);
std::int32_t TurnKeyLock(Client& client, Device& keyboard, std::int32_t position);
std::int32_t Touch(Client& client, Device& touch, std::uint16_t x, std::uint16_t y);
std::int32_t CloseDrawer(Client& client, Device& drawer);
// The printer's paper runs out (POSM_PRN_PRINTER_ERROR) or is put back
// (POSM_PRN_STATUS_CHANGE).
std::int32_t SetPaper(Client& client, Device& printer, bool present);
std::int32_t SetOnline(Client& client, Device& device, bool online);
// Bytes arriving at an RS-232 port from the line: queued for reads after what
// waits already (POSM_RS232_DATA_AVAIL). POSERR_SYS_OUT_OF_BOUNDS when the
// port's buffer cannot take them all.
std::int32_t ReceiveBytes(Client& client, Device& port, std::string_view bytes);

// The set-1 scan code of a character that a keyboard can type, 0 for others.
std::uint8_t ScanCodeOf(char character);
// The character of a key without Shift; 0 for keys of no character (F1 ...).
char CharacterOf(std::uint8_t scan_code);

}  // namespace posim
