#include "app/main_window.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/scripted/scripted_port.h"

namespace app {
namespace {

struct Fixture {
  ui::ScriptedPort port;
  names::NameScratch scratch;
  std::vector<int> dialogs_run;
  MainWindow main{port, scratch, [this](int id) { dialogs_run.push_back(id); }};
};

TEST(MainWindowTest, MenuIdsRunTheirDialogsAndExitDestroys) {
  Fixture f;
  for (int id : {100, 101, 102, 103, 104, 105, 106, 99, 0}) f.main.OnCommand(id);
  EXPECT_EQ(f.dialogs_run, (std::vector<int>{100, 101, 102, 103, 104, 105}));
  EXPECT_FALSE(f.port.destroyed());
  f.main.OnCommand(107);
  EXPECT_TRUE(f.port.destroyed());
  EXPECT_TRUE(f.port.entries().empty());
}

TEST(MainWindowTest, KeyEchoKeepsTheTrailingNewline) {
  Fixture f;
  f.main.OnKey(ui::KeyMessage::kKeyDown, 0x1e);
  f.main.OnKey(ui::KeyMessage::kChar, 0x1e);
  f.main.OnKey(ui::KeyMessage::kKeyUp, 0x1e);
  f.main.OnKey(ui::KeyMessage::kKeyDown, 0x01);
  f.main.OnKey(ui::KeyMessage::kKeyUp, 0x148);  // only the scan-code byte is shown
  EXPECT_EQ(f.port.LogLines(), (std::vector<std::string>{
                                   "KeyDown ScanCode from KeyBoard = 1e \n",
                                   "WM_CHAR comes ScanCode from KeyBoard = 1e \n",
                                   "KeyUp ScanCode from KeyBoard = 1e \n",
                                   "KeyDown ScanCode from KeyBoard = 1 \n",
                                   "KeyUp ScanCode from KeyBoard = 48 \n",
                               }));
}

TEST(MainWindowTest, EventsPostedWhileABoxIsOpenAreHandledBeforeItCloses) {
  Fixture f;
  f.port.SetMainWindowProc(&f.main);
  bool posted = false;
  f.port.OnMessageBox([&](const ui::ScriptedPort::Entry&) {
    if (!posted) {
      posted = true;
      f.port.Post(0x4202, 0, 0x1E);  // a key event, no box of its own
    }
  });
  f.port.Post(0x420B, 0, 4);
  f.port.Pump();
  // The scanner's line and box, then the key line, all before the box closed.
  const auto& e = f.port.entries();
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[0].text, "SCANNER DATA AVAILABLE (Length = 4)");
  EXPECT_EQ(e[1].caption, "SCANNER Message");
  EXPECT_EQ(e[2].text, "KBD_DOWN (Scancode = 0x1e)");
}

}  // namespace
}  // namespace app
