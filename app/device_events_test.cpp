#include "app/device_events.h"

#include <gtest/gtest.h>

#include <set>
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
    {"KeylockLargePosition",
     0x4201,
     0xFFFF,
     0x12345,
     {Log("KEYLOCK  STATUS_CHANGE (Position = 74565)"),
      Box("KEYLOCK  STATUS_CHANGE (Position = 74565)", "KeyLock Position Changed")}},
    {"KeyUpOnlyBit18AndTheLowByte",
     0x4202,
     0xFFFF,
     0xFFFBFF3B,
     {Log("KBD_DOWN (Scancode = 0x3b)")}},
    {"KeyUpWithOtherBits", 0x4202, 0, 0x0C0470A9, {Log("KBD_UP (Scancode = 0xa9)")}},
    {"ScanLowByteOnly",
     0x420B,
     0xFFFF,
     300,
     {Log("SCANNER DATA AVAILABLE (Length = 44)"),
      Box("SCANNER DATA AVAILABLE (Length = 44)", "SCANNER Message")}},
    {"MsrLengthIgnoresWParam",
     0x4203,
     0x77,
     0xFFFFFF00,
     {Log("MSR DATA AVAILABLE (Length = 0)"),
      Box("MSR DATA AVAILABLE (Length = 0)", "MSR Message")}},
    {"PrinterStatusLowByteOnly",
     0x4206,
     0xFFFFFF02,
     0x33,
     {Log("PRINTER STATUS CHANGE (Device Descriptor = 2)"),
      Box("PRINTER STATUS CHANGE (Device Descriptor = 2)", "TRAX Printer")}},
    {"PrinterDataLowByteOnly",
     0x4210,
     0x123456FF,
     7,
     {Log("PRINTER DATA AVAILABLE (Device Descriptor = 255)"),
      Box("PRINTER DATA AVAILABLE (Device Descriptor = 255)", "TRAX Printer")}},
    {"PrinterErrorWholeValues",
     0x4205,
     0xFFFFFF80,
     0x80000000,
     {Log("PRINTER ERROR (Device Descriptor = 128)"),
      Log("PRINTER ERROR mp1 = 0xffffff80 , mp2 = 0x80000000"),
      Box("PRINTER ERROR mp1 = 0xffffff80 , mp2 = 0x80000000", "TRAX Printer")}},
    {"OfflineDescriptorIsTheLowByte",
     0x420C,
     0xFF0054FE,
     0xFFFF,
     {Log("DEVICE_CASH_DRAWER OFF LINE(Device Descriptor = 254)"),
      Box("DEVICE_CASH_DRAWER OFF LINE(Device Descriptor = 254)", "TRAX Message")}},
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
    {"OnlineSmallWParamKeepsFourDigits",
     0x420D,
     0x100,
     0x300,
     {Log(" wParam --> 0100 "), Log(" lParam --> 00000300 "), Log("  POSM_SYS_DEVICE_ONLINE "),
      Log("Device:1      (0x00000001)  (Subtype:NONE) (DevNum:0x01)"),
      Log("            SLOT_0   (0000) "), Log("            PORT_0   (0000) ")}},
    {"OnlineAnposKeyboardSubtype11IsJapanese",
     0x420D,
     0x08001A00,
     11,
     {Log(" wParam --> 8001a00 "), Log(" lParam --> 0000000b "), Log("  POSM_SYS_DEVICE_ONLINE "),
      Log("Device:ANPOS_KEYBOARD_A  (Subtype: 11 (0x0B)) (DevNum:0x1a)"),
      Log("            SLOT_8   (0x08) "), Log("            PORT_0   (0000) "),
      Log(" KEYBOARD FOUND *** 26 "), Log("   KEYBOARD SUBTYPE *** 11 "),
      Log("     *JAPANESE kbd  ** Device: ANPOS_KEYBOARD_A  (Subtype:  11 (0x0B))")}},
    {"OnlinePosKeyboardModel4IsJapanese",
     0x420D,
     0x00001C00,
     4,
     {Log(" wParam --> 1c00 "), Log(" lParam --> 00000004 "), Log("  POSM_SYS_DEVICE_ONLINE "),
      Log("Device:POS_KEYBOARD_A  (Subtype:KBD_MODEL_4) (DevNum:0x1c)"),
      Log("            SLOT_0   (0000) "), Log("            PORT_0   (0000) "),
      Log(" KEYBOARD FOUND *** 28 "), Log("   KEYBOARD SUBTYPE *** 4 "),
      Log("     *JAPANESE kbd  ** Device: POS_KEYBOARD_A  (Subtype: KBD_MODEL_4)")}},
    {"OnlineScannerNamesItsModel",
     0x420D,
     0x02114A00,
     0xFFFFFF03,
     {Log(" wParam --> 2114a00 "), Log(" lParam --> ffffff03 "), Log("  POSM_SYS_DEVICE_ONLINE "),
      Log("Device:SCANNER_A  (Subtype:SCN_MODEL_3) (DevNum:0x4a)"),
      Log("            SLOT_2   (0x02) "), Log("            PORT_1   (0x11) ")}},
};

INSTANTIATE_TEST_SUITE_P(Events, DeviceEventTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.label); });

// Every code around the event range: only the eleven handled ones leave a
// trace or report being handled.
TEST(DeviceEventTest, OnlyTheHandledCodesAreTaken) {
  const std::set<std::uint32_t> handled = {0x4201, 0x4202, 0x4203, 0x4204, 0x4205, 0x4206,
                                           0x420B, 0x420C, 0x420D, 0x420F, 0x4210};
  std::vector<std::uint32_t> codes = {0, 0x0100, 0x4200, 0x4217, 0x4301, 0x14201};
  for (std::uint32_t code = 0x4201; code <= 0x4216; ++code) codes.push_back(code);
  for (std::uint32_t code : codes) {
    SCOPED_TRACE(code);
    ui::ScriptedPort port;
    names::NameScratch scratch;
    const bool taken = HandleDeviceEvent(port, scratch, code, 0x5401, 1);
    EXPECT_EQ(taken, handled.count(code) == 1);
    if (!taken) {
      EXPECT_TRUE(port.entries().empty());
    }
  }
}

// Of all device numbers, an offline event reports only three; the others are
// handled without a trace.
TEST(DeviceEventTest, OfflineReportsThreeDevicesAndSwallowsTheRest) {
  std::vector<std::uint32_t> reported;
  for (std::uint32_t device = 0; device < 256; ++device) {
    ui::ScriptedPort port;
    names::NameScratch scratch;
    EXPECT_TRUE(HandleDeviceEvent(port, scratch, 0x420C, device << 8 | 0x05, 0));
    if (!port.entries().empty()) {
      reported.push_back(device);
      EXPECT_EQ(port.LogLines().size(), 1u);
      EXPECT_EQ(port.Boxes().size(), 1u);
    }
  }
  EXPECT_EQ(reported, (std::vector<std::uint32_t>{0x24, 0x48, 0x54}));
}

// After the six lines of every online event, a keyboard adds its two lines
// and a Japanese keyboard a third; any other device adds nothing, whatever
// its subtype.
TEST(DeviceEventTest, KeyboardAndJapaneseLinesByDeviceAndSubtype) {
  struct Case {
    std::uint32_t device, subtype;
    std::vector<std::string> tail;  // the lines after the port line
  };
  auto keyboard = [](int device, int subtype) {
    return std::vector<std::string>{" KEYBOARD FOUND *** " + std::to_string(device) + " ",
                                    "   KEYBOARD SUBTYPE *** " + std::to_string(subtype) + " "};
  };
  auto japanese = [&](int device, int subtype, const std::string& line) {
    std::vector<std::string> lines = keyboard(device, subtype);
    lines.push_back("     *JAPANESE kbd  ** Device: " + line);
    return lines;
  };
  const Case cases[] = {
      {0x1C, 0, keyboard(28, 0)},
      {0x1C, 1, keyboard(28, 1)},
      {0x1C, 4, japanese(28, 4, "POS_KEYBOARD_A  (Subtype: KBD_MODEL_4)")},
      {0x10, 5, japanese(16, 5, "CHECKOUT_KEYBOARD_A  (Subtype:   5 (0x05))")},
      {0x11, 6, japanese(17, 6, "CHECKOUT_KEYBOARD_B  (Subtype:   6 (0x06))")},
      {0x1A, 7, japanese(26, 7, "ANPOS_KEYBOARD_A  (Subtype:   7 (0x07))")},
      {0x1B, 8, japanese(27, 8, "ANPOS_KEYBOARD_B  (Subtype:   8 (0x08))")},
      {0x1C, 11, japanese(28, 11, "POS_KEYBOARD_A  (Subtype:  11 (0x0B))")},
      {0x10, 3, keyboard(16, 3)},
      {0x11, 9, keyboard(17, 9)},
      {0x1A, 10, keyboard(26, 10)},
      {0x1B, 12, keyboard(27, 12)},
      {0x1D, 4, {}},
      {0x16, 5, {}},
      {0x19, 11, {}},
      {0x81, 4, {}},
      {0x12, 6, {}},
      {0x4A, 1, {}},
      {0x00, 4, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.device * 256 + c.subtype);
    ui::ScriptedPort port;
    names::NameScratch scratch;
    HandleDeviceEvent(port, scratch, 0x420D, c.device << 8, c.subtype);
    const std::vector<std::string> lines = port.LogLines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.end()), c.tail);
    EXPECT_TRUE(port.Boxes().empty());
    EXPECT_TRUE(scratch.empty());
  }
}

}  // namespace
}  // namespace app
