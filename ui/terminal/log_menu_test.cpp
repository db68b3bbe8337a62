// The CommandLog's own menu in the terminal: how it opens, what Copy sends to
// the terminal's clipboard, and Save log as... through its file name box.
#include <gtest/gtest.h>

#include "files/test_dir.h"
#include "os/program_folder.h"
#include "ui/terminal/fake_device.h"
#include "ui/terminal/terminal_front_end.h"
#include "ui/terminal/test_support.h"

namespace terminal {
namespace {

using testing::RecordingWindow;
using testing::Shows;

// In a 100x30 terminal the log's caption is row 2, its [=] box columns 70 to
// 72, its first text row 3 from column 35 on.
const InputEvent kMenuBox = InputEvent::Click(71, 2);
InputEvent LineClick(int line) {
  return InputEvent::Click(40, 3 + line);
}

struct Fixture {
  FakeDevice device{{100, 30}};
  TerminalFrontEnd fe{device};
  RecordingWindow window;
  CellGrid shot;

  Fixture() {
    for (const char* line : {"Command-->  PosClose(1)  ", "KeyDown ScanCode from KeyBoard = 1e \n",
                             "  RC = -1, errno = (302) POSERR_SYS_NOT_INITIALIZED  "})
      fe.AppendLog(line);
  }
  void Snap() {
    device.Add([this] { shot = device.painted(); });
  }
  void Add(const std::vector<InputEvent>& events) {
    for (const InputEvent& e : events) device.Add(e);
  }
  int Run() { return fe.Run(window); }
};

const std::string kAll =
    "Command-->  PosClose(1)  \r\nKeyDown ScanCode from KeyBoard = 1e \n\r\n"
    "  RC = -1, errno = (302) POSERR_SYS_NOT_INITIALIZED  ";

TEST(LogMenu, OpenedFromItsBoxOrByEnterInTheFocusedLogCopyTakesTheSelectedLineOrAll) {
  const InputEvent enter = InputEvent::Of(Key::kEnter);
  const struct {
    const char* label;
    std::vector<InputEvent> events;
    std::vector<std::string> clipboard;
  } cases[] = {
      {"the box, Enter on the first item", {kMenuBox, enter}, {kAll}},
      {"Alt-L, Enter, c", {InputEvent::Char('l', true), enter, InputEvent::Char('c')}, {kAll}},
      {"a line clicked, the item clicked",
       {LineClick(1), kMenuBox, InputEvent::Click(72, 4)},
       {"KeyDown ScanCode from KeyBoard = 1e \n"}},
      {"a line clicked twice: none selected",
       {LineClick(0), LineClick(0), kMenuBox, enter},
       {kAll}},
      {"Esc closes the menu", {kMenuBox, InputEvent::Of(Key::kEscape)}, {}},
      {"a click beside it closes it", {kMenuBox, InputEvent::Click(5, 20)}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Fixture f;
    f.Add(c.events);
    f.Snap();
    f.Run();
    EXPECT_EQ(f.device.clipboard(), c.clipboard);
    EXPECT_FALSE(f.fe.screen().main_window().log().menu().open());
    // Nothing of it reaches the main window as keys or commands.
    EXPECT_EQ(f.window.calls, std::vector<std::string>{});
  }
}

TEST(LogMenu, ACopyLargerThanATerminalTakesIsRefusedWithAMessage) {
  Fixture f;
  // 3 lines of the fixture, then 512 KiB more: the whole log is too large,
  // a selected line is not.
  const std::string line(1024, 'x');
  for (int i = 0; i < 512; ++i) f.fe.AppendLog(line);
  f.Add({kMenuBox, InputEvent::Of(Key::kEnter)});
  f.Snap();
  f.device.Add(InputEvent::Of(Key::kEnter));  // closes the box
  // The view follows the end: Home, then the first line.
  f.Add({LineClick(5), InputEvent::Of(Key::kHome), LineClick(0), kMenuBox,
         InputEvent::Of(Key::kEnter)});
  f.Run();
  const std::string size = std::to_string(kAll.size() + 512 * (2 + line.size()));
  EXPECT_TRUE(Shows(f.shot, "The text to copy is " + size + " bytes, more than a terminal's"));
  EXPECT_EQ(f.device.clipboard(), std::vector<std::string>{"Command-->  PosClose(1)  "});
}

TEST(LogMenu, ItsBoxTheOpenMenuAndTheHintWhileTheLogHasTheFocus) {
  Fixture f;
  f.Snap();
  f.device.Add(kMenuBox);
  CellGrid open;
  f.device.Add([&] { open = f.device.painted(); });
  f.device.Add(InputEvent::Of(Key::kEscape));
  f.device.Add(InputEvent::Of(Key::kEscape));  // the log gives the focus back
  f.device.Type("a");                          // still echoed
  f.Run();
  EXPECT_EQ(f.shot.RowText(70, 2, 7), "[=] [^]");
  EXPECT_EQ(f.shot.At(71, 2).glyph, Glyph::kMenuMark);
  // Below its box, inside the log's frame.
  EXPECT_EQ(open.RowText(60, 4, 16), " Copy           ");
  EXPECT_EQ(open.RowText(60, 5, 16), " Save log as... ");
  EXPECT_EQ(open.At(60, 4).style, Style::kMenuSelected);
  EXPECT_EQ(open.At(59, 3).glyph, Glyph::kTopLeft);
  EXPECT_EQ(open.At(77, 4).glyph, Glyph::kVertical);
  EXPECT_TRUE(Shows(open, "Enter: Copy, Save log as..."));
  EXPECT_EQ(f.window.calls, (std::vector<std::string>{"down 1e", "char 1e", "up 1e"}));
}

TEST(LogMenu, SaveLogAsWritesTheLogAsItHoldsItOrShowsWhyNot) {
  files::TestDir dir;
  const std::string good = dir.Path("saved.txt");
  const std::string bad = dir.Path("missing/saved.txt");
  Fixture f;
  CellGrid asked, failed;
  auto save_as = [&](const std::string& path, CellGrid* shot) {
    f.Add({kMenuBox, InputEvent::Of(Key::kDown), InputEvent::Of(Key::kEnter)});
    if (shot) f.device.Add([&f, shot] { *shot = f.device.painted(); });
    f.device.Type(path);  // the default is selected: typing replaces it
    f.device.Add(InputEvent::Of(Key::kEnter));
  };
  save_as(good, &asked);
  save_as(bad, nullptr);
  f.device.Add([&] { failed = f.device.painted(); });
  f.device.Add(InputEvent::Of(Key::kEnter));  // closes the message box
  // Cancel writes nothing.
  f.Add({kMenuBox, InputEvent::Of(Key::kDown), InputEvent::Of(Key::kEnter),
         InputEvent::Of(Key::kEscape)});
  f.Snap();
  f.Run();
  EXPECT_TRUE(Shows(asked, "File name"));
  // The default's end (the field shows the end of a long path).
  EXPECT_TRUE(Shows(asked, "/ridozod-log-2"));
  EXPECT_EQ(files::TestDir::Read(good), kAll + "\r\n");
  // The text wraps before "directory".
  EXPECT_TRUE(Shows(failed, "Cannot write the log to '" + bad + "': No such file or"));
  EXPECT_TRUE(Shows(failed, "Save log as"));
  // The log is as it was.
  EXPECT_EQ(f.fe.screen().main_window().log().lines().size(), 0u);  // emptied at the end of Run
  EXPECT_EQ(f.window.calls, std::vector<std::string>{});
}

}  // namespace
}  // namespace terminal
