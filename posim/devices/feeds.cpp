#include "posim/devices/feeds.h"

#include <cstring>

#include "posim/devices/codes.h"
#include "posim/devices/device_io.h"
#include "posim/devices/events.h"
#include "posim/devices/scale.h"

namespace posim {

namespace {

std::int32_t NeedOnline(Device& device) {
  return device.Online() ? kOk : kSysDeviceOffline;
}

}  // namespace

std::int32_t ScanLabel(Client& client, Device& scanner, const std::string& label) {
  if (const std::int32_t status = NeedOnline(scanner)) return status;
  if (label.empty()) return kScanLabelTooShort;
  if (label.size() > kMaxLabelLength) return kScanLabelTooLong;
  scanner.input.push_back(label);
  scanner.own.Text("lastLabel") = label;
  ++scanner.own.Number("labelCount");
  EmitDeviceEvent(client, scanner, kMsgScanDataAvail, static_cast<std::uint32_t>(label.size()));
  return kOk;
}

// The card as read: the tracks that tracksToRead selects, each ended by CR.
std::int32_t SwipeCard(Client& client, Device& msr, const std::string (&tracks)[3]) {
  if (const std::int32_t status = NeedOnline(msr)) return status;
  const std::int64_t selected = msr.own.Number("tracksToRead");
  std::string data;
  for (int t = 0; t < 3; ++t) {
    if (tracks[t].size() > kMaxTrackLength[t]) return kSysOutOfBounds;
  }
  for (int t = 0; t < 3; ++t) {
    msr.own.Number("track" + std::to_string(t + 1) + "Length") =
        static_cast<std::int64_t>(tracks[t].size());
    if ((selected >> t & 1) != 0 && !tracks[t].empty()) data += tracks[t] + '\r';
  }
  ++msr.own.Number("swipeCount");
  if (data.empty()) return kOk;  // nothing the reader was asked for
  msr.input.push_back(data);
  EmitDeviceEvent(client, msr, kMsgMsrDataAvail, static_cast<std::uint32_t>(data.size()));
  return kOk;
}

std::int32_t PlaceLoad(Client&, Device& scale, std::int32_t grams) {
  if (const std::int32_t status = NeedOnline(scale)) return status;
  if (grams < -kMaxLoadGrams || grams > kMaxLoadGrams) return kSysOutOfBounds;
  scale.gross_weight = grams;
  UpdateWeight(scale);
  return kOk;
}

std::int32_t PressKey(Client& client, Device& keyboard, std::uint8_t scan_code, char character) {
  if (const std::int32_t status = NeedOnline(keyboard)) return status;
  keyboard.input.push_back(std::string{static_cast<char>(scan_code), character});
  EmitDeviceEvent(client, keyboard, kMsgKbdWmChar, scan_code);
  EmitDeviceEvent(client, keyboard, kMsgKbdWmChar, scan_code | kKeyUpFlag);
  return kOk;
}

std::int32_t TurnKeyLock(Client& client, Device& keyboard, std::int32_t position) {
  if (const std::int32_t status = NeedOnline(keyboard)) return status;
  if (position < 0 || position > 7) return kSysOutOfBounds;
  keyboard.own.Number("keyLockPosition") = position;
  EmitDeviceEvent(client, keyboard, kMsgKbdStatusChange, static_cast<std::uint32_t>(position));
  return kOk;
}

std::int32_t Touch(Client& client, Device& touch, std::uint16_t x, std::uint16_t y) {
  if (const std::int32_t status = NeedOnline(touch)) return status;
  touch.input.push_back(std::string{static_cast<char>(x & 0xFF), static_cast<char>(x >> 8),
                                    static_cast<char>(y & 0xFF), static_cast<char>(y >> 8)});
  EmitDeviceEvent(client, touch, kMsgTouchData, static_cast<std::uint32_t>(x) | y << 16);
  return kOk;
}

std::int32_t CloseDrawer(Client& client, Device& drawer) {
  if (drawer.own.Number("drawerOpen") == 0) return kSysCmdReject;
  drawer.own.Number("drawerOpen") = 0;
  EmitDeviceEvent(client, drawer, kMsgTillClosed, 0);
  return kOk;
}

std::int32_t SetPaper(Client& client, Device& printer, bool present) {
  if (const std::int32_t status = NeedOnline(printer)) return status;
  std::int64_t& out = printer.own.Number("paperOut");
  if ((out == 0) == present) return kSysCmdReject;
  out = present ? 0 : 1;
  if (present) {
    EmitDeviceEvent(client, printer, kMsgPrnStatusChange, 0);
  } else {
    // mp2: the status that printing gives until the paper is back.
    EmitDeviceEvent(client, printer, kMsgPrnPrinterError, kSysHwError);
  }
  return kOk;
}

std::int32_t SetOnline(Client& client, Device& device, bool online) {
  if (device.Online() == online) return kSysCmdReject;
  device.common.Number("deviceOnline") = online ? 1 : 0;
  EmitOnlineState(client, device, online);
  return kOk;
}

std::int32_t ReceiveBytes(Client& client, Device& port, std::string_view bytes) {
  if (const std::int32_t status = NeedOnline(port)) return status;
  if (bytes.size() > kRs232BufferSize - port.stream.size()) return kSysOutOfBounds;
  port.stream.append(bytes);
  EmitDeviceEvent(client, port, kMsgRs232DataAvail, static_cast<std::uint32_t>(bytes.size()));
  return kOk;
}

namespace {

// Set-1 make codes of the main block of a US keyboard, by run of keys: the
// first key's code, the keys' characters, and with Shift held.
struct KeyRun {
  std::uint8_t first_code;
  const char* plain;
  const char* shifted;
};
constexpr KeyRun kKeyRuns[] = {
    {0x02, "1234567890-=", "!@#$%^&*()_+"},
    {0x10, "qwertyuiop[]", "QWERTYUIOP{}"},
    {0x1E, "asdfghjkl;'`", "ASDFGHJKL:\"~"},
    {0x2B, "\\zxcvbnm,./", "|ZXCVBNM<>?"},
    {0x39, " ", " "},
    {0x0F, "\t", "\t"},
    {0x1C, "\r", "\n"},
};

}  // namespace

std::uint8_t ScanCodeOf(char character) {
  for (const KeyRun& run : kKeyRuns) {
    for (int i = 0; run.plain[i] != '\0'; ++i) {
      if (run.plain[i] == character || run.shifted[i] == character) {
        return static_cast<std::uint8_t>(run.first_code + i);
      }
    }
  }
  return 0;
}

char CharacterOf(std::uint8_t scan_code) {
  for (const KeyRun& run : kKeyRuns) {
    const std::size_t at = static_cast<std::size_t>(scan_code - run.first_code);
    if (scan_code >= run.first_code && at < std::strlen(run.plain)) return run.plain[at];
  }
  return '\0';
}

}  // namespace posim
