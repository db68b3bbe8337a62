#include "app/device_events.h"

#include <string>

#include "codes/code_tables.h"
#include "codes/pos_codes.h"
#include "names/command_log.h"

namespace app {
namespace {

constexpr std::uint32_t kKeylockChange = POSM_KBD_STATUS_CHANGE;
constexpr std::uint32_t kKbdChar = POSM_KBD_WM_CHAR;
constexpr std::uint32_t kMsrData = POSM_MSR_DATA_AVAIL;
constexpr std::uint32_t kChaseComplete = POSM_PRN_CHASE_COMPLETE;
constexpr std::uint32_t kPrinterError = POSM_PRN_PRINTER_ERROR;
constexpr std::uint32_t kPrinterStatus = POSM_PRN_STATUS_CHANGE;
constexpr std::uint32_t kScanData = POSM_SCAN_DATA_AVAIL;
constexpr std::uint32_t kDeviceOffline = POSM_SYS_DEVICE_OFFLINE;
constexpr std::uint32_t kDeviceOnline = POSM_SYS_DEVICE_ONLINE;
constexpr std::uint32_t kTillOpened = POSM_TILL_OPENED;
constexpr std::uint32_t kPrinterData = POSM_PRN_DATA_AVAIL;

constexpr std::uint32_t kKeyUpBit = POSM_KBD_WM_CHAR_KEY_UP;

// Which part of the message an event's one value comes from.
enum class Field { kLParam, kLParamLow, kWParamLow };

struct SimpleEvent {
  std::uint32_t code;
  const char* format;
  Field field;
  const char* caption;  // nullptr: no message box
};

constexpr SimpleEvent kSimpleEvents[] = {
    {kKeylockChange, "KEYLOCK  STATUS_CHANGE (Position = %d)", Field::kLParam,
     "KeyLock Position Changed"},
    {kMsrData, "MSR DATA AVAILABLE (Length = %d)", Field::kLParamLow, "MSR Message"},
    {kChaseComplete, "PRINTER CHASE COMPLETE (Device Descriptor = %d)", Field::kWParamLow,
     "TRAX Printer"},
    {kPrinterStatus, "PRINTER STATUS CHANGE (Device Descriptor = %d)", Field::kWParamLow,
     "TRAX Printer"},
    {kScanData, "SCANNER DATA AVAILABLE (Length = %d)", Field::kLParamLow, "SCANNER Message"},
    {kTillOpened, "TILL OPENED (Device Descriptor = %d)", Field::kWParamLow, "TRAX Message"},
    {kPrinterData, "PRINTER DATA AVAILABLE (Device Descriptor = %d)", Field::kWParamLow,
     "TRAX Printer"},
};

struct OfflineDevice {
  std::uint32_t device_number;
  const char* format;
};

constexpr OfflineDevice kOfflineDevices[] = {
    {0x24, "DEVICE_ANOP_DISPLAY_A OFF LINE (Device Descriptor = %d)"},
    {0x48, "MSR_3_TRACK OFF LINE (Device Descriptor = %d)"},
    {0x54, "DEVICE_CASH_DRAWER OFF LINE(Device Descriptor = %d)"},
};

// The keyboards whose online event adds the keyboard lines, and the subtypes
// that are Japanese keyboards.
constexpr std::uint32_t kKeyboards[] = {0x1C, 0x10, 0x11, 0x1A, 0x1B};
constexpr std::uint32_t kJapaneseSubtypes[] = {4, 5, 6, 7, 8, 11};

template <typename T, std::size_t N>
bool Contains(const T (&set)[N], T value) {
  for (const T& v : set)
    if (v == value) return true;
  return false;
}

int ValueOf(Field field, std::uint32_t wparam, std::uint32_t lparam) {
  switch (field) {
    case Field::kLParam:
      return static_cast<std::int32_t>(lparam);
    case Field::kLParamLow:
      return static_cast<int>(lparam & 0xFF);
    case Field::kWParamLow:
      return static_cast<int>(wparam & 0xFF);
  }
  return 0;
}

void Append(ui::Port& ui, const std::string& line) {
  names::AppendToLog(ui, line);
}

void ShowOnline(ui::Port& ui, names::NameScratch& scratch, std::uint32_t wparam,
                std::uint32_t lparam) {
  using names::AppendFormatted;
  using names::LookupName;
  const unsigned device = (wparam >> 8) & 0xFF;
  const unsigned port = (wparam >> 16) & 0xFF;
  const unsigned slot = (wparam >> 24) & 0xFF;
  const unsigned subtype = lparam & 0xFF;
  const auto d8 = static_cast<std::uint8_t>(device);
  const auto s8 = static_cast<std::uint8_t>(subtype);

  AppendFormatted(ui, " wParam --> %04x ", wparam);
  AppendFormatted(ui, " lParam --> %08lx ", static_cast<unsigned long>(lparam));
  AppendFormatted(ui, "  %s ", LookupName(scratch, codes::MessageNames, kDeviceOnline));
  AppendFormatted(ui, "Device:%s  (Subtype:%s) (DevNum:%#04x)",
                  LookupName(scratch, codes::DeviceNames, static_cast<std::int32_t>(device)),
                  names::LookupSubtype(scratch, d8, s8), device);
  AppendFormatted(ui, "            %s   (%#04x) ",
                  LookupName(scratch, codes::SlotNames, static_cast<std::int32_t>(slot)), slot);
  AppendFormatted(ui, "            %s   (%#04x) ",
                  LookupName(scratch, codes::PortNames, static_cast<std::int32_t>(port)), port);
  if (Contains(kKeyboards, static_cast<std::uint32_t>(device))) {
    AppendFormatted(ui, " KEYBOARD FOUND *** %d ", device);
    AppendFormatted(ui, "   KEYBOARD SUBTYPE *** %d ", subtype);
    if (Contains(kJapaneseSubtypes, static_cast<std::uint32_t>(subtype))) {
      AppendFormatted(ui, "     *JAPANESE kbd  ** Device: %s  (Subtype: %s)",
                      LookupName(scratch, codes::DeviceNames, static_cast<std::int32_t>(device)),
                      names::LookupSubtype(scratch, d8, s8));
    }
  }
  names::ClearNameScratch(scratch);
}

// Only three devices are reported; the event of any other is taken silently.
void ShowOffline(ui::Port& ui, std::uint32_t wparam) {
  const std::uint32_t device = (wparam >> 8) & 0xFF;
  for (const OfflineDevice& d : kOfflineDevices) {
    if (d.device_number == device) {
      const std::string line = names::FormatLine(d.format, static_cast<int>(wparam & 0xFF));
      Append(ui, line);
      ui.ShowMessage(line, "TRAX Message");
      return;
    }
  }
}

}  // namespace

bool HandleDeviceEvent(ui::Port& ui, names::NameScratch& scratch, std::uint32_t message,
                       std::uint32_t wparam, std::uint32_t lparam) {
  for (const SimpleEvent& e : kSimpleEvents) {
    if (e.code == message) {
      const std::string line = names::FormatLine(e.format, ValueOf(e.field, wparam, lparam));
      Append(ui, line);
      if (e.caption) ui.ShowMessage(line, e.caption);
      return true;
    }
  }
  switch (message) {
    case kKbdChar:
      names::AppendFormatted(
          ui, (lparam & kKeyUpBit) ? "KBD_UP (Scancode = 0x%x)" : "KBD_DOWN (Scancode = 0x%x)",
          lparam & 0xFF);
      return true;
    case kPrinterError: {
      Append(ui, names::FormatLine("PRINTER ERROR (Device Descriptor = %d)",
                                   static_cast<int>(wparam & 0xFF)));
      const std::string detail =
          names::FormatLine("PRINTER ERROR mp1 = 0x%x , mp2 = 0x%x", wparam, lparam);
      Append(ui, detail);
      ui.ShowMessage(detail, "TRAX Printer");
      return true;
    }
    case kDeviceOffline:
      ShowOffline(ui, wparam);
      return true;
    case kDeviceOnline:
      ShowOnline(ui, scratch, wparam, lparam);
      return true;
    default:
      return false;
  }
}

}  // namespace app
