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
  MainWindowProcedure main{port, scratch, [this](int id) { dialogs_run.push_back(id); }};
};

TEST(MainWindowProcedureTest, MenuIdsRunTheirDialogsAndExitDestroys) {
  Fixture f;
  for (int id : {100, 101, 102, 103, 104, 105, 106, 99, 0}) f.main.OnCommand(id);
  EXPECT_EQ(f.dialogs_run, (std::vector<int>{100, 101, 102, 103, 104, 105}));
  EXPECT_FALSE(f.port.destroyed());
  f.main.OnCommand(107);
  EXPECT_TRUE(f.port.destroyed());
  EXPECT_TRUE(f.port.entries().empty());
}

TEST(MainWindowProcedureTest, KeyEchoKeepsTheTrailingNewline) {
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

// A scripted port that notes, for every entry, how many message boxes were
// open when it was made (a box counts itself).
class DepthPort : public ui::ScriptedPort {
 public:
  std::vector<int> depths;

  void AppendLog(std::string_view line) override {
    depths.push_back(open_);
    ScriptedPort::AppendLog(line);
  }
  void ShowMessage(std::string_view text, std::string_view caption) override {
    ++open_;
    depths.push_back(open_);
    ScriptedPort::ShowMessage(text, caption);
    --open_;
  }

 private:
  int open_ = 0;
};

// An event posted while the scanner's box is open is handled before that box
// closes: its line is made with the box still open, and a box of its own
// opens on top of the first.
TEST(MainWindowProcedureTest, EventsPostedWhileABoxIsOpenAreHandledBeforeItCloses) {
  DepthPort port;
  names::NameScratch scratch;
  MainWindowProcedure main{port, scratch, [](int) {}};
  port.SetMainWindowProc(&main);
  bool posted = false;
  port.OnMessageBox([&](const ui::ScriptedPort::Entry&) {
    if (posted) return;
    posted = true;
    port.Post(0x4202, 0, 0x1E);  // a key event, no box of its own
    port.Post(0x420F, 5, 0);     // the till, with a box
  });
  port.Post(0x420B, 0, 4);
  port.Pump();
  EXPECT_EQ(
      port.entries(),
      (std::vector<ui::ScriptedPort::Entry>{
          {ui::ScriptedPort::Entry::kLog, "SCANNER DATA AVAILABLE (Length = 4)", ""},
          {ui::ScriptedPort::Entry::kBox, "SCANNER DATA AVAILABLE (Length = 4)", "SCANNER Message"},
          {ui::ScriptedPort::Entry::kLog, "KBD_DOWN (Scancode = 0x1e)", ""},
          {ui::ScriptedPort::Entry::kLog, "TILL OPENED (Device Descriptor = 5)", ""},
          {ui::ScriptedPort::Entry::kBox, "TILL OPENED (Device Descriptor = 5)", "TRAX Message"},
      }));
  EXPECT_EQ(port.depths, (std::vector<int>{0, 1, 1, 1, 2}));
}

}  // namespace
}  // namespace app
