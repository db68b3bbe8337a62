#include "app/device_events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/scripted/scripted_port.h"

namespace app {
namespace {

using Entry = ui::ScriptedPort::Entry;

Entry Log(std::string text) {
  return {Entry::kLog, std::move(text), {}};
}
Entry Box(std::string text, std::string caption) {
  return {Entry::kBox, std::move(text), std::move(caption)};
}

struct EventCase {
  const char* label;
  std::uint32_t message, wparam, lparam;
  std::vector<Entry> expected;
};

class DeviceEventTest : public ::testing::TestWithParam<EventCase> {};

TEST_P(DeviceEventTest, LogsAndShowsExactly) {
  const EventCase& c = GetParam();
  ui::ScriptedPort port;
  names::NameScratch scratch;
  HandleDeviceEvent(port, scratch, c.message, c.wparam, c.lparam);
  EXPECT_EQ(port.entries(), c.expected);
  EXPECT_TRUE(scratch.empty());
}

const EventCase kCases[] = {
    {"KeylockWholeValue",
     0x4201,
     0,
     3,
     {Log("KEYLOCK  STATUS_CHANGE (Position = 3)"),
      Box("KEYLOCK  STATUS_CHANGE (Position = 3)", "KeyLock Position Changed")}},
    {"KeylockNegative",
     0x4201,
     0,
     0xFFFFFFFF,
     {Log("KEYLOCK  STATUS_CHANGE (Position = -1)"),
      Box("KEYLOCK  STATUS_CHANGE (Position = -1)", "KeyLock Position Changed")}},
    {"KeyUpNoBox", 0x4202, 0, 0x4001E, {Log("KBD_UP (Scancode = 0x1e)")}},
    {"KeyDownNoBox", 0x4202, 0, 0x11E, {Log("KBD_DOWN (Scancode = 0x1e)")}},
    {"MsrLowByteOnly",
     0x4203,
     0,
     300,
     {Log("MSR DATA AVAILABLE (Length = 44)"),
      Box("MSR DATA AVAILABLE (Length = 44)", "MSR Message")}},
    {"ChaseComplete",
     0x4204,
     0x1205,
     0,
     {Log("PRINTER CHASE COMPLETE (Device Descriptor = 5)"),
      Box("PRINTER CHASE COMPLETE (Device Descriptor = 5)", "TRAX Printer")}},
    {"PrinterError",
     0x4205,
     0x1207,
     0xAB,
     {Log("PRINTER ERROR (Device Descriptor = 7)"), Log("PRINTER ERROR mp1 = 0x1207 , mp2 = 0xab"),
      Box("PRINTER ERROR mp1 = 0x1207 , mp2 = 0xab", "TRAX Printer")}},
    {"PrinterStatus",
     0x4206,
     2,
     0,
     {Log("PRINTER STATUS CHANGE (Device Descriptor = 2)"),
      Box("PRINTER STATUS CHANGE (Device Descriptor = 2)", "TRAX Printer")}},
    {"ScanData",
     0x420B,
     0,
     13,
     {Log("SCANNER DATA AVAILABLE (Length = 13)"),
      Box("SCANNER DATA AVAILABLE (Length = 13)", "SCANNER Message")}},
    {"TillOpened",
     0x420F,
     0x5404,
     0,
     {Log("TILL OPENED (Device Descriptor = 4)"),
      Box("TILL OPENED (Device Descriptor = 4)", "TRAX Message")}},
    {"PrinterData",
     0x4210,
     9,
     0,
     {Log("PRINTER DATA AVAILABLE (Device Descriptor = 9)"),
      Box("PRINTER DATA AVAILABLE (Device Descriptor = 9)", "TRAX Printer")}},
    {"OfflineDisplay",
     0x420C,
     0x2403,
     0,
     {Log("DEVICE_ANOP_DISPLAY_A OFF LINE (Device Descriptor = 3)"),
      Box("DEVICE_ANOP_DISPLAY_A OFF LINE (Device Descriptor = 3)", "TRAX Message")}},
    {"OfflineMsr",
     0x420C,
     0x4801,
     0,
     {Log("MSR_3_TRACK OFF LINE (Device Descriptor = 1)"),
      Box("MSR_3_TRACK OFF LINE (Device Descriptor = 1)", "TRAX Message")}},
    {"OfflineDrawer",
     0x420C,
     0x5402,
     0,
     {Log("DEVICE_CASH_DRAWER OFF LINE(Device Descriptor = 2)"),
      Box("DEVICE_CASH_DRAWER OFF LINE(Device Descriptor = 2)", "TRAX Message")}},
    {"OfflineOtherDeviceLeavesNoTrace", 0x420C, 0x2503, 0, {}},
    {"TillClosedLeavesNoTrace", 0x420E, 1, 1, {}},
    {"Rs232LeavesNoTrace", 0x4208, 1, 1, {}},
    {"TouchLeavesNoTrace", 0x4216, 1, 1, {}},
    {"OnlineKeyboard",
     0x420D,
     0x00111C09,
     1,
     {Log(" wParam --> 111c09 "), Log(" lParam --> 00000001 "), Log("  POSM_SYS_DEVICE_ONLINE "),
      Log("Device:POS_KEYBOARD_A  (Subtype:KBD_MODEL_1) (DevNum:0x1c)"),
      Log("            SLOT_0   (0000) "), Log("            PORT_1   (0x11) "),
      Log(" KEYBOARD FOUND *** 28 "), Log("   KEYBOARD SUBTYPE *** 1 ")}},
    {"OnlineJapaneseKeyboard",
     0x420D,
     0x03221004,
     5,
     {Log(" wParam --> 3221004 "), Log(" lParam --> 00000005 "), Log("  POSM_SYS_DEVICE_ONLINE "),
      Log("Device:CHECKOUT_KEYBOARD_A  (Subtype:  5 (0x05)) (DevNum:0x10)"),
      Log("            SLOT_3   (0x03) "), Log("            PORT_2   (0x22) "),
      Log(" KEYBOARD FOUND *** 16 "), Log("   KEYBOARD SUBTYPE *** 5 "),
      Log("     *JAPANESE kbd  ** Device: CHECKOUT_KEYBOARD_A  (Subtype:   5 (0x05))")}},
    {"OnlineKeyboardBHasNoKeyboardLines",
     0x420D,
     0x1D00,
     0,
     {Log(" wParam --> 1d00 "), Log(" lParam --> 00000000 "), Log("  POSM_SYS_DEVICE_ONLINE "),
      Log("Device:POS_KEYBOARD_B  (Subtype:NONE) (DevNum:0x1d)"),
      Log("            SLOT_0   (0000) "), Log("            PORT_0   (0000) ")}},
    {"OnlineUnknownDevicePortSlot",
     0x420D,
     0x09339900,
     0x1FF,
     {Log(" wParam --> 9339900 "), Log(" lParam --> 000001ff "), Log("  POSM_SYS_DEVICE_ONLINE "),
      Log("Device:153    (0x00000099)  (Subtype:255 (0xFF)) (DevNum:0x99)"),
      Log("            9      (0x00000009)   (0x09) "),
      Log("            51     (0x00000033)   (0x33) ")}},
};

INSTANTIATE_TEST_SUITE_P(Events, DeviceEventTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(DeviceEventTest, UnhandledCodesReportFalse) {
  ui::ScriptedPort port;
  names::NameScratch scratch;
  for (std::uint32_t code : {0x4207u, 0x4208u, 0x4209u, 0x420Au, 0x420Eu, 0x4211u, 0x4216u})
    EXPECT_FALSE(HandleDeviceEvent(port, scratch, code, 0, 0)) << std::hex << code;
  EXPECT_TRUE(HandleDeviceEvent(port, scratch, 0x420D, 0, 0));
}

}  // namespace
}  // namespace app
