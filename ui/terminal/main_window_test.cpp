#include <gtest/gtest.h>

#include "ui/terminal/fake_device.h"
#include "ui/terminal/terminal_front_end.h"
#include "ui/terminal/test_support.h"

namespace terminal {
namespace {

using testing::RecordingWindow;

struct Fixture {
  FakeDevice device{{100, 30}};
  TerminalFrontEnd fe{device};
  RecordingWindow window;
  CellGrid shot;

  void Snap() {
    device.Add([this] { shot = device.painted(); });
  }
  int Run() { return fe.Run(window); }
};

TEST(MainWindowRender, TitleMenuBarAndLogBoxAt100x30) {
  Fixture f;
  f.Snap();
  EXPECT_EQ(f.Run(), 0);
  const CellGrid& g = f.shot;
  EXPECT_EQ(g.RowText(1, 0, 39), "The RIDOZOD Program for Win95 and WinNT");
  EXPECT_EQ(g.At(1, 0).style, Style::kTitle);
  EXPECT_EQ(g.RowText(96, 0, 3), "[X]");
  EXPECT_EQ(g.RowText(0, 1, 15), "  Pos_Commands ");
  EXPECT_EQ(g.At(50, 1).style, Style::kMenuBar);
  // The log: pixels 270,5 350x200 in the client area below row 2.
  EXPECT_EQ(g.RowText(35, 2, 18), "Command and Status");
  EXPECT_EQ(g.At(34, 2).style, Style::kCaption);
  EXPECT_EQ(g.At(77, 2).style, Style::kCaption);
  EXPECT_EQ(g.At(78, 2).style, Style::kNormal);
  EXPECT_EQ(g.At(34, 3).glyph, Glyph::kVertical);
  EXPECT_EQ(g.At(77, 3).glyph, Glyph::kVertical);
  EXPECT_EQ(g.At(34, 14).glyph, Glyph::kBottomLeft);
  EXPECT_EQ(g.At(77, 14).glyph, Glyph::kBottomRight);
  // Vertical bar in the last inner column, horizontal bar in the last inner row.
  EXPECT_EQ(g.At(76, 3).glyph, Glyph::kArrowUp);
  EXPECT_EQ(g.At(76, 12).glyph, Glyph::kArrowDown);
  EXPECT_EQ(g.At(76, 7).style, Style::kScrollTrack);
  EXPECT_EQ(g.At(35, 13).glyph, Glyph::kArrowLeft);
  EXPECT_EQ(g.At(75, 13).glyph, Glyph::kArrowRight);
  // The extent of 600 pixels is wider than the box: the thumb shows.
  EXPECT_EQ(g.At(36, 13).style, Style::kScrollThumb);
  // Empty: no text inside.
  EXPECT_EQ(g.RowText(35, 3, 41), std::string(41, ' '));
}

TEST(MainWindowMenu, KeysThatOpenThePopupWithTheFirstItem) {
  const std::vector<std::vector<InputEvent>> openers = {
      {InputEvent::Of(Key::kF10)},   {InputEvent::Char('p', true)},
      {InputEvent::Char('P', true)}, {InputEvent::Of(Key::kEscape), InputEvent::Char('0')},
      {InputEvent::Char('0', true)}, {InputEvent::Click(5, 1)},
  };
  for (std::size_t i = 0; i < openers.size(); ++i) {
    Fixture f;
    for (const InputEvent& e : openers[i]) f.device.Add(e);
    f.Snap();
    f.Run();
    EXPECT_TRUE(f.fe.screen().main_window().menu().open()) << i;
    EXPECT_EQ(f.fe.screen().main_window().menu().highlighted(), 0) << i;
    EXPECT_EQ(f.shot.RowText(3, 3, 13), "PosInitialize") << i;
    EXPECT_EQ(f.shot.At(3, 3).style, Style::kMenuSelected) << i;
    EXPECT_EQ(f.shot.RowText(3, 10, 13), "Exit         ") << i;
    EXPECT_EQ(f.shot.At(5, 9).glyph, Glyph::kHorizontal) << i;  // the separator
  }
}

TEST(MainWindowMenu, ChoosingSendsTheCommand) {
  struct Case {
    std::vector<InputEvent> keys;
    std::string expected;
  };
  auto down = [](int n) {
    std::vector<InputEvent> v{InputEvent::Of(Key::kF10)};
    for (int i = 0; i < n; ++i) v.push_back(InputEvent::Of(Key::kDown));
    v.push_back(InputEvent::Of(Key::kEnter));
    return v;
  };
  const std::vector<Case> cases = {
      {down(0), "command 100"},
      {down(1), "command 101"},
      {down(5), "command 105"},
      {down(6), "command 107"},  // the separator is skipped
      {down(7), "command 100"},  // wraps around
      {{InputEvent::Of(Key::kF10), InputEvent::Of(Key::kUp), InputEvent::Of(Key::kEnter)},
       "command 107"},
      {{InputEvent::Of(Key::kF10), InputEvent::Char('e')}, "command 107"},
      {{InputEvent::Of(Key::kF10), InputEvent::Click(4, 5)}, "command 102"},
      {{InputEvent::Click(5, 1), InputEvent::Click(4, 10)}, "command 107"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    Fixture f;
    for (const InputEvent& e : cases[i].keys) f.device.Add(e);
    f.Run();
    ASSERT_EQ(f.window.calls.size(), 1u) << i;
    EXPECT_EQ(f.window.calls[0], cases[i].expected) << i;
    EXPECT_FALSE(f.fe.screen().main_window().menu().open()) << i;
  }
}

TEST(MainWindowMenu, EscapeAndOutsideClickCloseWithoutCommand) {
  for (const InputEvent& closer : {InputEvent::Of(Key::kEscape), InputEvent::Click(60, 20),
                                   InputEvent::Click(5, 1), InputEvent::Of(Key::kF10)}) {
    Fixture f;
    f.device.Add(InputEvent::Of(Key::kF10));
    f.device.Add(closer);
    f.Run();
    EXPECT_FALSE(f.fe.screen().main_window().menu().open());
    EXPECT_TRUE(f.window.calls.empty());
  }
}

TEST(MainWindowMenu, ExitDestroysTheWindowAndRunReturnsZero) {
  Fixture f;
  f.window.on_command = [&f](int id) {
    if (id == res::kIdExit) f.fe.DestroyMainWindow();
  };
  f.device.Keys({Key::kF10, Key::kDown, Key::kDown, Key::kDown, Key::kDown, Key::kDown, Key::kDown,
                 Key::kEnter, Key::kF10});
  f.device.Type("a");  // never read: the loop has ended
  EXPECT_EQ(f.Run(), 0);
  EXPECT_EQ(f.window.calls, std::vector<std::string>{"command 107"});
}

TEST(MainWindowMenu, CloseBoxEndsTheLoop) {
  Fixture f;
  f.device.Add(InputEvent::Click(97, 0));
  f.device.Type("a");
  EXPECT_EQ(f.Run(), 0);
  EXPECT_TRUE(f.window.calls.empty());
  EXPECT_TRUE(f.fe.screen().destroyed());
}

TEST(MainWindowKeys, EchoWithScanCodes) {
  struct Case {
    InputEvent key;
    std::vector<std::string> calls;
  };
  const std::vector<Case> cases = {
      {InputEvent::Char('a'), {"down 1e", "char 1e", "up 1e"}},
      {InputEvent::Char('Z'), {"down 2c", "char 2c", "up 2c"}},
      {InputEvent::Of(Key::kEnter), {"down 1c", "char 1c", "up 1c"}},
      {InputEvent::Of(Key::kF5), {"down 3f", "up 3f"}},
      {InputEvent::Of(Key::kLeft), {"down 4b", "up 4b"}},
      {InputEvent::Char('\n'), {"down 24", "char 24", "up 24"}},
      {InputEvent::Char('x', true), {}},  // Alt keys are the system's
  };
  for (const Case& c : cases) {
    Fixture f;
    f.device.Add(c.key);
    f.Run();
    EXPECT_EQ(f.window.calls, c.calls);
  }
}

TEST(MainWindowKeys, EscapeIsEchoedAndEscapeZeroOpensTheMenu) {
  Fixture f;
  f.device.Add(InputEvent::Of(Key::kEscape));
  f.device.Type("0");
  f.Run();
  EXPECT_EQ(f.window.calls, (std::vector<std::string>{"down 1", "char 1", "up 1"}));
  EXPECT_TRUE(f.fe.screen().main_window().menu().open());
}

TEST(MainWindowLog, FocusedLogTakesKeysAndEmptyAreaGivesFocusBack) {
  Fixture f;
  for (int i = 0; i < 30; ++i) f.fe.AppendLog("line " + std::to_string(i));
  f.device.Add(InputEvent::Click(40, 5));  // into the log
  f.device.Keys({Key::kHome, Key::kDown, Key::kDown, Key::kPageDown});
  f.Snap();
  f.device.Add(InputEvent::Click(5, 20));  // the empty area
  f.device.Type("a");
  f.Run();
  EXPECT_EQ(f.shot.RowText(35, 3, 7), "line 11");  // 2 + a page of 9
  EXPECT_EQ(f.shot.At(35, 2).style, Style::kCaptionActive);
  EXPECT_EQ(f.window.calls, (std::vector<std::string>{"down 1e", "char 1e", "up 1e"}));
}

TEST(MainWindowLog, LinesInOrderTheEndIsFollowedAScrolledViewStays) {
  Fixture f;
  for (int i = 0; i < 25; ++i) f.fe.AppendLog("line " + std::to_string(i));
  f.Snap();
  f.device.Add(InputEvent::Wheel(40, 6, true));
  f.device.Add([&] { f.fe.AppendLog("line 25"); });
  CellGrid scrolled;
  f.device.Add([&] { scrolled = f.device.painted(); });
  f.device.Add(InputEvent::Click(40, 5));
  f.device.Add(InputEvent::Of(Key::kEnd));
  CellGrid at_end;
  f.device.Add([&] { at_end = f.device.painted(); });
  f.Run();
  // Appended from empty: the view follows, lines 15 .. 24 show.
  EXPECT_EQ(f.shot.RowText(35, 3, 7), "line 15");
  EXPECT_EQ(f.shot.RowText(35, 12, 7), "line 24");
  EXPECT_EQ(f.shot.Row(14).find(" more "), std::string::npos);
  // Scrolled back by the wheel: a new line does not move the view.
  EXPECT_EQ(scrolled.RowText(35, 3, 7), "line 12");
  EXPECT_NE(scrolled.Row(14).find(" 4 more "), std::string::npos);  // 22 .. 25 below
  EXPECT_EQ(at_end.RowText(35, 3, 7), "line 16");
  EXPECT_EQ(at_end.RowText(35, 12, 7), "line 25");
}

TEST(MainWindowLog, AltKeysFocusAndMaximiseTheLogWithoutEcho) {
  struct Case {
    std::vector<InputEvent> input;
    bool focused, maximized;
  };
  MainWindow probe;
  probe.Layout(100, 30);
  const Rect box = probe.log().maximize_box();
  const std::vector<Case> cases = {
      {{InputEvent::Char('l', true)}, true, false},
      {{InputEvent::Char('L', true), InputEvent::Char('l', true)}, false, false},
      {{InputEvent::Char('m', true)}, false, true},
      {{InputEvent::Char('m', true), InputEvent::Char('M', true)}, false, false},
      {{InputEvent::Click(box.x + 1, box.y)}, true, true},
      {{InputEvent::Click(box.x + 1, box.y), InputEvent::Char('m', true)}, true, false},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    MainWindow w;
    w.Layout(100, 30);
    for (const InputEvent& e : cases[i].input) EXPECT_EQ(w.HandleInput(e).kind, MainAction::kNone);
    EXPECT_EQ(w.log_focused(), cases[i].focused) << i;
    EXPECT_EQ(w.log_maximized(), cases[i].maximized) << i;
    const Rect r = w.log().rect();
    EXPECT_EQ(r.w == 100 && r.y == MainWindow::kClientTop && r.bottom() == 29, cases[i].maximized)
        << i;
  }
}

TEST(MainWindowLog, AMaximisedLogShowsWholeLinesAndKeepsItsPlaceOnResize) {
  Fixture f;
  const std::string line = "Device:PRINTER_MODEL_A  (Subtype:NONE) (DevNum:0x35) END";
  f.fe.AppendLog(line);
  f.device.Add(InputEvent::Char('m', true));
  f.Snap();
  f.device.SetSize({120, 40});
  CellGrid wider;
  f.device.Add([&] { wider = f.device.painted(); });
  f.Run();
  EXPECT_EQ(f.shot.RowText(1, 3, static_cast<int>(line.size())), line);
  EXPECT_EQ(wider.RowText(1, 3, static_cast<int>(line.size())), line);
  EXPECT_EQ(wider.At(119, 20).glyph, Glyph::kVertical);  // the frame at the new right edge
}

// A view that follows the newest line goes on doing so in a smaller or
// larger terminal, and in the maximised log.
TEST(MainWindowLog, AViewAtTheEndStaysThereOnResize) {
  Fixture f;
  for (int i = 0; i < 500; ++i) f.fe.AppendLog("line " + std::to_string(i));
  std::vector<CellGrid> shots;
  auto snap = [&] { f.device.Add([&] { shots.push_back(f.device.painted()); }); };
  f.device.SetSize({200, 100});
  snap();
  f.device.SetSize({80, 24});
  snap();
  f.device.Add(InputEvent::Char('m', true));
  snap();
  f.device.Add(InputEvent::Char('m', true));
  f.device.SetSize({100, 30});
  snap();
  f.Run();
  ASSERT_EQ(shots.size(), 4u);
  for (const CellGrid& g : shots) {
    SCOPED_TRACE(g.width());
    EXPECT_TRUE(testing::Shows(g, "line 499 "));
    EXPECT_FALSE(testing::Shows(g, " more "));
  }
}

TEST(MainWindowLog, HorizontalScrollReachesTheExtentAndLongerLines) {
  Fixture f;
  f.fe.AppendLog(std::string(100, 'x') + "END");
  f.device.Add(InputEvent::Click(40, 5));
  for (int i = 0; i < 200; ++i) f.device.Add(InputEvent::Of(Key::kRight));
  f.Snap();
  f.Run();
  // Scrolled as far as the line goes: its end in the last columns.
  EXPECT_EQ(f.shot.RowText(73, 3, 3), "END");
}

TEST(MainWindowLog, ControlBytesAreDrawnAsStandIns) {
  Fixture f;
  f.fe.AppendLog("KeyDown ScanCode from KeyBoard = 1e \n");
  f.fe.AppendLog(std::string("A\x1b[2JB\x7f\xc3", 8));
  f.Snap();
  f.Run();
  EXPECT_EQ(f.shot.RowText(35, 3, 37), "KeyDown ScanCode from KeyBoard = 1e J");
  EXPECT_EQ(f.shot.At(71, 3).style, Style::kStandIn);
  EXPECT_EQ(f.shot.RowText(35, 4, 8), "A[[2JB?.");
  EXPECT_EQ(f.shot.At(36, 4).style, Style::kStandIn);
  EXPECT_EQ(f.shot.At(37, 4).style, Style::kNormal);
  EXPECT_EQ(f.shot.At(41, 4).style, Style::kStandIn);
  EXPECT_EQ(f.shot.At(42, 4).style, Style::kStandIn);
  for (int y = 0; y < f.shot.height(); ++y)
    for (int x = 0; x < f.shot.width(); ++x)
      ASSERT_TRUE(IsPrintable(static_cast<unsigned char>(f.shot.At(x, y).ch)));
}

TEST(MainWindowResize, TooSmallShowsNoticeAndGrowingBackKeepsTheLog) {
  Fixture f;
  f.fe.AppendLog("first");
  f.device.SetSize({79, 24});
  f.Snap();
  f.device.Type("a");  // ignored while too small
  CellGrid small = CellGrid();
  f.device.Add([&] { small = f.shot; });
  f.device.SetSize({80, 24});
  CellGrid back;
  f.device.Add([&] { back = f.device.painted(); });
  f.Run();
  EXPECT_EQ(small.width(), 79);
  EXPECT_EQ(small.Row(0).substr(0, kTooSmall.size()), kTooSmall);
  EXPECT_TRUE(f.window.calls.empty());
  EXPECT_EQ(back.width(), 80);
  EXPECT_EQ(back.RowText(35, 3, 5), "first");
}

}  // namespace
}  // namespace terminal
