// The core, the binding and the simulated library together (see
// scripted_session.h).
#include "tests/scripted_session.h"

namespace {

using namespace session;

struct SimulatedSession : Session {
  SimulatedSession() : Session(VEKAPI32_PATH) {}
};

TEST(ScriptedSession, TheCoreTheBindingAndTheSimulatedLibraryTogether) {
  SimulatedSession s;
  constexpr std::size_t kDevices = 13;  // of the simulated default terminal

  // Initialize with the defaults; every device's online event arrives.
  const std::vector<Entry> init =
      s.Command(res::kIdInitialize, [](ui::ScriptedDialog& d) { d.Press(res::kIdOk); });
  ASSERT_GE(init.size(), 4u);
  EXPECT_EQ(std::vector<Entry>(init.begin(), init.begin() + 3),
            (std::vector<Entry>{
                LogLine("Command-->  PosInitialize(RIDOZOD, C:\\KLOB, 0, 0, [], 1)"),
                LogLine("     1: queueHandle   "), LogLine("               (0x10046)  ")}));
  EXPECT_EQ(s.port.Boxes().front(), Box("Initialize Successful.", "POS Initialize"));
  ASSERT_TRUE(s.PumpUntil([&] { return s.LinesOf("  POSM_SYS_DEVICE_ONLINE ") == kDevices; }));
  EXPECT_EQ(s.LinesOf("Device:SCANNER_A  (Subtype:SCN_MODEL_1) (DevNum:0x4a)"), 1u);
  EXPECT_EQ(s.LinesOf(" KEYBOARD FOUND *** 28 "), 1u);

  // Open the scanner.
  EXPECT_EQ(s.Command(res::kIdOpen,
                      [](ui::ScriptedDialog& d) {
                        ASSERT_TRUE(d.SelectText(res::kIdDeviceClass, "PosScanner"));
                        d.Press(res::kIdOk);
                      }),
            (std::vector<Entry>{LogLine("Command-->  PosOpen(DEVNAME, PosScanner, [], 0)"),
                                LogLine("  Handle :  1  Device Name :  DEVNAME"),
                                Box("  Handle :  1  Device Name :  DEVNAME", "POS Open")}));

  // POS_SYS_GET_VALUES of the scanner's beep volume: the library's value in
  // the second echo. The request already selected is chosen again, which
  // offers the system's names.
  EXPECT_EQ(s.Command(res::kIdIoctl,
                      [](ui::ScriptedDialog& d) {
                        d.Type(res::kIdHandle, "1");
                        d.Select(res::kIdRequest, 0);
                        EXPECT_EQ(d.Text(res::kIdArgResource), "PosNqueueHandle");
                        d.Type(res::kIdArgResource, "PosNbeepVolume");
                        d.Press(res::kIdAddResource);
                        d.Press(res::kIdOk);
                        d.Press(res::kIdCancel);
                      }),
            (std::vector<Entry>{
                LogLine("Command-->  PosIoctl(1, POS_SYS_GET_VALUES, [..], 1)"),
                LogLine("     1: beepVolume   "), LogLine("               (0xFFFFFFFF)  "),
                Box("PosIoctl Successful.", "POS Ioctl"), LogLine("     1: beepVolume   "),
                LogLine("               (0x2)  ")}));

  // The event queue: its first record, the keyboard's online event, decoded.
  EXPECT_EQ(s.Command(res::kIdRead,
                      [](ui::ScriptedDialog& d) {
                        d.Type(res::kIdHandle, "0");
                        d.Press(res::kIdOk);
                      }),
            (std::vector<Entry>{LogLine("Command-->  PosRead(0, [], 80)"),
                                LogLine("  POSM_SYS_DEVICE_ONLINE - SLOT_0, PORT_1, KEYBOARD  "),
                                LogLine("*** Device: POS_KEYBOARD_A  (Subtype: KBD_MODEL_1)"),
                                Box("PosRead Successful.", "POS Read"),
                                LogLine("Scale : Type-> 70 , Flags -> 1, WtValue -> 16909")}));

  EXPECT_EQ(s.Command(res::kIdClose,
                      [](ui::ScriptedDialog& d) {
                        d.Type(res::kIdHandle, "1");
                        d.Press(res::kIdOk);
                      }),
            (std::vector<Entry>{LogLine("Command-->  PosClose(1)  "),
                                Box("PosClose Successful.", "POS Close"),
                                LogLine("Close Handle 1 successful")}));
  EXPECT_EQ(s.port.unfinished_dialogs(), 0);
}

}  // namespace
