#include "ui/terminal/message_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "os/manual_clock.h"
#include "port/post_queue.h"
#include "ui/terminal/fake_device.h"
#include "ui/terminal/terminal_front_end.h"
#include "ui/terminal/test_support.h"

namespace terminal {
namespace {

using testing::RecordingWindow;
using testing::Shows;

TEST(MessageBox, BeforeRunShowsTextWithDefaultCaption) {
  FakeDevice device({80, 24});
  TerminalFrontEnd fe(device);
  CellGrid shot;
  device.Add([&] { shot = device.painted(); });
  device.Add(InputEvent::Of(Key::kEnter));
  device.Add([&] { shot.Resize(0, 0); });  // never run: the box has closed
  fe.ShowMessage("File PIOCTLRE.DAT is missing.", "");
  EXPECT_TRUE(Shows(shot, "File PIOCTLRE.DAT is missing."));
  EXPECT_TRUE(Shows(shot, " Error "));
  EXPECT_TRUE(Shows(shot, "[  OK  ]"));
  EXPECT_FALSE(Shows(shot, "Pos_Commands"));  // no main window yet
}

TEST(MessageBox, CloseKeysAndClicks) {
  MessageBoxLayer probe("Handle Error text", "Handle Error ");
  probe.Layout(80, 24);
  const Rect ok = probe.ok_button();
  const Rect close = probe.close_box();
  struct Case {
    InputEvent e;
    bool closes;
  };
  const std::vector<Case> cases = {
      {InputEvent::Of(Key::kEnter), true},         {InputEvent::Char(' '), true},
      {InputEvent::Of(Key::kEscape), true},        {InputEvent::Click(ok.x + 2, ok.y), true},
      {InputEvent::Click(close.x, close.y), true}, {InputEvent::Char('a'), false},
      {InputEvent::Of(Key::kTab), false},          {InputEvent::Click(0, 0), false},
      {InputEvent::Char(' ', true), false},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    MessageBoxLayer box("Handle Error text", "Handle Error ");
    box.Layout(80, 24);
    box.HandleInput(cases[i].e);
    EXPECT_EQ(box.done(), cases[i].closes) << i;
  }
}

TEST(MessageBox, CaptionKeepsItsBlanksAndLongTextWraps) {
  MessageBoxLayer box(std::string(150, 'w') + " end", "Command Status");
  box.Layout(80, 24);
  CellGrid grid(80, 24);
  box.Draw(grid, true);
  EXPECT_LE(box.rect().right(), 80);
  EXPECT_TRUE(Shows(grid, " Command Status "));
  EXPECT_TRUE(Shows(grid, "end"));
}

TEST(MessageBox, OnlyTheTopmostWindowShowsAnActiveCaption) {
  FakeDevice device({100, 30});
  TerminalFrontEnd fe(device);
  RecordingWindow window;
  testing::RecordingDialog proc;
  CellGrid with_dialog, with_box;
  proc.on_command = [&](ui::Dialog&, int id, int) {
    if (id == res::kIdOk)
      fe.ShowMessage("  RC = -1, errno = (302) POSERR_SYS_NOT_INITIALIZED  ", "Command Status");
  };
  window.on_command = [&](int) { fe.RunDialog(res::DispPosClose(), proc); };
  device.Keys({Key::kF10, Key::kDown, Key::kDown, Key::kEnter});
  device.Add([&] { with_dialog = device.painted(); });
  device.Keys({Key::kEnter});  // OK: the box opens over the dialog
  device.Add([&] { with_box = device.painted(); });
  device.Keys({Key::kEnter});
  fe.Run(window);
  const int dialog_row = testing::RowOf(with_dialog, "POS Close");
  const int box_row = testing::RowOf(with_box, "Command Status");
  ASSERT_GE(dialog_row, 0);
  ASSERT_NE(box_row, dialog_row);
  auto style = [](const CellGrid& g, int row, std::string_view text) {
    return g.At(static_cast<int>(g.Row(row).find(text)), row).style;
  };
  EXPECT_EQ(with_dialog.At(1, 0).style, Style::kCaption);  // the main window's title
  EXPECT_EQ(style(with_dialog, dialog_row, "POS Close"), Style::kCaptionActive);
  EXPECT_EQ(style(with_box, dialog_row, "POS Close"), Style::kCaption);
  EXPECT_EQ(style(with_box, box_row, "Command Status"), Style::kCaptionActive);
}

// Time passes only when a test advances the clock.
struct Running {
  FakeDevice device{{100, 30}};
  os::ManualClock clock;
  TerminalFrontEnd fe{device, clock};
  RecordingWindow window;

  void Post(std::uint32_t message, std::uint32_t wparam) {
    fe.screen().queue().Post({TerminalFrontEnd::kMainWindowHandle, message, wparam, 0});
  }
};

TEST(MessageBox, PostedMessagesAreDispatchedWhileTheBoxIsOpen) {
  Running r;
  r.window.on_command = [&r](int) {
    r.fe.ShowMessage("Initialize Successful.", "POS Initialize");
    r.window.calls.push_back("box closed");
  };
  r.device.Keys({Key::kF10, Key::kEnter});
  r.device.Add([&r] {
    r.Post(0x4201, 1);
    r.Post(0x4202, 2);
  });
  r.device.Add([&r] { r.Post(0x4203, 3); });
  r.device.Keys({Key::kEnter});
  EXPECT_EQ(r.fe.Run(r.window), 0);
  EXPECT_EQ(r.window.calls,
            (std::vector<std::string>{"command 100", "posted 4201 1 0", "posted 4202 2 0",
                                      "posted 4203 3 0", "box closed"}));
}

TEST(MessageBox, AHandlerMayOpenABoxAndLaterMessagesGoOnInOrder) {
  Running r;
  r.window.on_posted = [&r](std::uint32_t message, std::uint32_t wparam) {
    if (message == 0x4209) {
      r.fe.ShowMessage("nested " + std::to_string(wparam), "Event");
      r.window.calls.push_back("closed " + std::to_string(wparam));
    }
  };
  r.device.Add([&r] {
    r.Post(0x4209, 1);  // opens a box
    r.Post(0x4201, 2);  // handled while that box is open
    r.Post(0x4209, 3);  // a second box on top of the first
    r.Post(0x4201, 4);
  });
  r.device.Keys({Key::kEnter, Key::kEnter});
  r.fe.Run(r.window);
  EXPECT_EQ(r.window.calls,
            (std::vector<std::string>{"posted 4209 1 0", "posted 4201 2 0", "posted 4209 3 0",
                                      "posted 4201 4 0", "closed 3", "closed 1"}));
}

TEST(MessageBox, ABurstOfBoxesStacksAtMostTheModalDepthAndLosesNothing) {
  Running r;
  constexpr std::uint32_t kCount = 3 * Screen::kMaxModalDepth;
  std::size_t open = 0, deepest = 0;
  std::vector<std::uint32_t> shown;
  r.window.on_posted = [&](std::uint32_t, std::uint32_t wparam) {
    shown.push_back(wparam);
    deepest = std::max(deepest, ++open);
    r.fe.ShowMessage("event " + std::to_string(wparam), "Event");
    --open;
  };
  r.device.Add([&r] {
    for (std::uint32_t i = 0; i < kCount; ++i) r.Post(0x4205, i);
  });
  for (std::uint32_t i = 0; i < kCount; ++i) r.device.Add(InputEvent::Of(Key::kEnter));
  r.fe.Run(r.window);
  EXPECT_EQ(deepest, Screen::kMaxModalDepth);
  ASSERT_EQ(shown.size(), kCount);
  for (std::uint32_t i = 0; i < kCount; ++i) EXPECT_EQ(shown[i], i);
}

TEST(MessageBox, TheExportedPostReachesTheWindowOnlyWhileRunning) {
  Running r;
  EXPECT_FALSE(ui::PostToWindow(TerminalFrontEnd::kMainWindowHandle, 0x4201, 0, 0));
  r.device.Add([] {
    std::thread t([] {
      EXPECT_TRUE(ui::PostToWindow(TerminalFrontEnd::kMainWindowHandle, 0x4201, 5, 6));
      EXPECT_FALSE(ui::PostToWindow(TerminalFrontEnd::kMainWindowHandle + 1, 0x4201, 5, 6));
    });
    t.join();
  });
  r.device.Add([] {});
  r.fe.Run(r.window);
  EXPECT_EQ(r.window.calls, (std::vector<std::string>{"posted 4201 5 6"}));
  EXPECT_GE(r.device.wakes(), 1);
  EXPECT_FALSE(ui::PostToWindow(TerminalFrontEnd::kMainWindowHandle, 0x4201, 0, 0));
}

TEST(MessageBox, PostsWaitingWhenTheLoopStartsAreHandled) {
  Running r;
  r.Post(0x4201, 1);
  r.Post(0x4202, 2);
  r.fe.Run(r.window);  // no input at all: the loop still handles what is queued
  EXPECT_EQ(r.window.calls, (std::vector<std::string>{"posted 4201 1 0", "posted 4202 2 0"}));
}

TEST(MessageBox, ABurstIsHandledInOrderWithFewRepaints) {
  Running r;
  constexpr std::uint32_t kCount = 20000;
  std::uint32_t next = 0;
  bool in_order = true;
  r.window.on_posted = [&](std::uint32_t, std::uint32_t wparam) {
    in_order = in_order && wparam == next;
    ++next;
    r.fe.AppendLog("event " + std::to_string(wparam));
    r.clock.Advance(std::chrono::microseconds(10));
  };
  r.device.Add([&r] {
    std::thread t([&r] {
      for (std::uint32_t i = 0; i < kCount; ++i) r.Post(0x4201, i);
    });
    t.join();
  });
  r.window.calls.reserve(kCount);
  r.fe.Run(r.window);
  EXPECT_EQ(next, kCount);
  EXPECT_TRUE(in_order);
  // A repaint a frame interval, not one a line.
  EXPECT_LE(r.device.paints(), testing::MostFloodPaints(r.clock.Elapsed()));
  EXPECT_EQ(r.fe.screen().main_window().log().lines().size(), 0u);  // emptied at the end
}

}  // namespace
}  // namespace terminal
