// The devices of a simulated store terminal: the built-in default terminal
// and terminal description files of the simulator's own.
//
// A terminal description file is plain text, one device a line:
//
//   # name      class        device  subtype  slot  port
//   DISPLAY1    PosDisplay   0x24    1        0     0x22
//   SCANNER1    PosScanner   0x4A    1        2     0x00
//
// Fields are separated by blanks or tabs. A line that is empty or whose first
// non-blank character is '#' is skipped. The class is one of the device class
// names of the class list (PosDisplay, PosPrinter, PosScanner, PosScale,
// PosMsr, PosKeyboard, PosDrawer, PosNvram, PosPower, PosRs232c, PosTouch,
// PosAlarm), in any case. Numbers are decimal or 0x-hexadecimal: device
// number and subtype 0 to 255, slot 0 to 8, port 0x00, 0x11 or 0x22. Names
// hold up to 31 characters, are unique regardless of case, and "DEVNAME" is
// reserved (it opens the first device of a class). At most 32 devices, at
// least one; at most 64 KiB of text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace posim {

struct DeviceConfig {
  std::string name;
  std::int32_t class_code;
  std::uint8_t number;
  std::uint8_t subtype;
  std::uint8_t slot;
  std::uint8_t port;
};

inline constexpr std::size_t kMaxDevices = 32;
inline constexpr std::size_t kMaxTerminalFileSize = 65536;
inline constexpr std::string_view kGenericDeviceName = "DEVNAME";

// A small store lane: one device of every class, two displays.
std::vector<DeviceConfig> DefaultTerminal();

// Parses a terminal description. On an error returns false and tells the
// line and the reason in error.
bool ParseTerminal(std::string_view text, std::vector<DeviceConfig>& devices, std::string& error);

enum class TerminalSource { kDefault, kFile, kBadFile };

// The terminal of a resource file: the default terminal when the name is
// empty or the file cannot be opened, the file's devices when it parses, and
// kBadFile (devices untouched) when it does not.
TerminalSource LoadTerminal(const char* resource_file, std::vector<DeviceConfig>& devices,
                            std::string& error);

}  // namespace posim
