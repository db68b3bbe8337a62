// One session in this process: the scripted front end drives the core's main
// window procedure and command dialogs, which call the real binding, which
// loads the simulated library; the library's device events come back through
// the exported posting call.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <ostream>
#include <thread>

#include "app/main_window.h"
#include "dialogs/command_dialogs.h"
#include "dialogs/pos_calls.h"
#include "dialogs/test_support.h"
#include "posapi/binding.h"
#include "resources/templates.h"
#include "ui/scripted/scripted_port.h"

namespace ui {
// Failures show entries as text.
void PrintTo(const ScriptedPort::Entry& e, std::ostream* out) {
  *out << (e.kind == ScriptedPort::Entry::kLog ? "log \"" : "box \"") << e.text << "\" "
       << e.caption;
}
}  // namespace ui

namespace {

using Entry = ui::ScriptedPort::Entry;
using dialogs::testing::Box;
using dialogs::testing::LogLine;

// A session: the list files in a folder of its own, the core's state, the
// main window procedure receiving what the library posts.
struct Session {
  Session() {
    for (const auto& file : std::filesystem::directory_iterator(LIST_FILE_DIR))
      if (file.path().extension() == ".DAT")
        std::filesystem::copy(file.path(), file.path().filename());
    port.SetMainWindowProc(&main);
    port.InstallAsPostTarget();
    posapi::SetLibraryFileForTesting(VEKAPI32_PATH);
  }
  ~Session() {
    posapi::PosTerm();  // before the port stops taking posts
    posapi::SetLibraryFileForTesting(nullptr);
  }

  // Runs a menu command with one dialog script; what it added to the log and
  // the boxes it showed.
  std::vector<Entry> Command(int id, ui::ScriptedPort::DialogScript script) {
    const std::size_t before = port.entries().size();
    port.ExpectDialog(std::move(script));
    main.OnCommand(id);
    return {port.entries().begin() + static_cast<std::ptrdiff_t>(before), port.entries().end()};
  }

  // Dispatches posted messages until done() holds (5 s at most).
  bool PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
      port.Pump();
      if (done()) return true;
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  std::size_t LinesOf(const std::string& text) const {
    const std::vector<std::string> lines = port.LogLines();
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), text));
  }

  dialogs::testing::TempCurrentDir dir;
  ui::ScriptedPort port;
  names::NameScratch scratch;
  dialogs::ResourceArgList args;
  dialogs::BoundPosCalls pos;
  dialogs::Context context{port, scratch, args, pos};
  app::MainWindowProcedure main{port, scratch,
                                [this](int id) { dialogs::RunCommandDialog(context, id); }};
};

TEST(ScriptedSession, TheCoreTheBindingAndTheSimulatedLibraryTogether) {
  Session s;
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
