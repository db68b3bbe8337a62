// The default terminal and the parser of terminal description files.
#include "posim/devices/terminal.h"

#include <cstdio>
#include <sstream>

#include "os/open_file.h"
#include "posim/devices/codes.h"
#include "posim/devices/device_kinds.h"
#include "posim/devices/values.h"

namespace posim {

std::vector<DeviceConfig> DefaultTerminal() {
  return {
      {"KEYBOARD1", kClassKeyboard, 0x1C, 1, 0, 0x11},  // POS_KEYBOARD_A, KBD_MODEL_1
      {"DISPLAY1", kClassDisplay, 0x24, 1, 0, 0x22},    // ANOP_DISPLAY_A, DSP_MODEL_1
      {"DISPLAY2", kClassDisplay, 0x26, 0, 1, 0x22},    // SHOPPER_DISPLAY_A
      {"PRINTER1", kClassPrinter, 0x35, 0, 1, 0x00},    // PRINTER_MODEL_A
      {"SCANNER1", kClassScanner, 0x4A, 1, 2, 0x00},    // SCANNER_A, SCN_MODEL_1
      {"SCALE1", kClassScale, 0x6E, 1, 2, 0x11},        // SCALE
      {"MSR1", kClassMsr, 0x48, 0, 0, 0x00},            // MSR_3_TRACK_A
      {"DRAWER1", kClassCashDrawer, 0x54, 0, 3, 0x00},  // CASH_DRAWER_A
      {"NVRAM1", kClassNvram, 0x50, 0, 4, 0x00},        // NVRAM_A
      {"POWER1", kClassPower, 0x87, 0, 5, 0x00},        // POWER_LOCAL
      {"RS232A", kClassRs232, 0x66, 0, 6, 0x11},        // RS232_A
      {"TOUCH1", kClassTouchScreen, 0x5C, 1, 7, 0x00},  // TOUCH_SCREEN, TCH_MODEL_1
      {"ALARM1", kClassAlarm, 0x84, 0, 8, 0x00},        // ALARM
  };
}

namespace {

bool ParseNumber(const std::string& text, int max, int& out) {
  const std::optional<std::int64_t> n = ParseNumberText(text);
  if (!n || *n < 0 || *n > max) return false;
  out = static_cast<int>(*n);
  return true;
}

// One device line; empty error when it is good.
std::string ParseDeviceLine(const std::string& line, DeviceConfig& device) {
  std::istringstream fields(line);
  std::string name, class_name, number, subtype, slot, port, extra;
  if (!(fields >> name >> class_name >> number >> subtype >> slot >> port)) {
    return "expected: name class device subtype slot port";
  }
  if (fields >> extra) return "unexpected text after the port: " + extra;
  if (name.size() > 31) return "name longer than 31 characters";
  if (SameName(name, kGenericDeviceName)) return "the name DEVNAME is reserved";
  const DeviceKind* kind = FindKindByClassName(class_name);
  if (kind == nullptr) return "unknown class " + class_name;
  int n = 0, s = 0, sl = 0, p = 0;
  if (!ParseNumber(number, 255, n)) return "bad device number " + number;
  if (!ParseNumber(subtype, 255, s)) return "bad subtype " + subtype;
  if (!ParseNumber(slot, 8, sl)) return "bad slot " + slot + " (0 to 8)";
  if (!ParseNumber(port, 255, p) || (p != 0x00 && p != 0x11 && p != 0x22)) {
    return "bad port " + port + " (0x00, 0x11 or 0x22)";
  }
  device = {name,
            kind->class_code,
            static_cast<std::uint8_t>(n),
            static_cast<std::uint8_t>(s),
            static_cast<std::uint8_t>(sl),
            static_cast<std::uint8_t>(p)};
  return {};
}

}  // namespace

bool ParseTerminal(std::string_view text, std::vector<DeviceConfig>& devices, std::string& error) {
  std::vector<DeviceConfig> parsed;
  std::istringstream lines{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    DeviceConfig device;
    std::string reason = ParseDeviceLine(line, device);
    for (const DeviceConfig& other : parsed) {
      if (reason.empty() && SameName(other.name, device.name)) reason = "duplicate name";
    }
    if (reason.empty() && parsed.size() == kMaxDevices) reason = "more than 32 devices";
    if (!reason.empty()) {
      error = "line " + std::to_string(number) + ": " + reason;
      return false;
    }
    parsed.push_back(device);
  }
  if (parsed.empty()) {
    error = "no devices";
    return false;
  }
  devices = std::move(parsed);
  return true;
}

TerminalSource LoadTerminal(const char* resource_file, std::vector<DeviceConfig>& devices,
                            std::string& error) {
  if (resource_file == nullptr || resource_file[0] == '\0') {
    devices = DefaultTerminal();
    return TerminalSource::kDefault;
  }
  // Never waits: a FIFO opens at once and is refused with the devices.
  const os::OpenedFile opened = os::OpenForReading(resource_file);
  if (opened.file == nullptr && opened.kind != os::FileKind::kDirectory) {
    devices = DefaultTerminal();
    return TerminalSource::kDefault;
  }
  if (opened.kind != os::FileKind::kRegular) {
    if (opened.file != nullptr) std::fclose(opened.file);
    error = "not a regular file";
    return TerminalSource::kBadFile;
  }
  // A description of 32 devices is far shorter; a wrong file could be huge,
  // or grow while it is read.
  std::string text(kMaxTerminalFileSize + 1, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), opened.file));
  std::fclose(opened.file);
  if (text.size() > kMaxTerminalFileSize) {
    error = "longer than " + std::to_string(kMaxTerminalFileSize) + " bytes";
    return TerminalSource::kBadFile;
  }
  return ParseTerminal(text, devices, error) ? TerminalSource::kFile : TerminalSource::kBadFile;
}

}  // namespace posim
