// The message loop under a flood of posted messages: keys and the mouse are
// served between batches, the screen is painted once a frame interval at
// most, and
// nothing posted is lost or reordered.
#include <gtest/gtest.h>

#include <chrono>

#include "os/manual_clock.h"
#include "ui/terminal/fake_device.h"
#include "ui/terminal/terminal_front_end.h"
#include "ui/terminal/test_support.h"

namespace terminal {
namespace {

using testing::RecordingWindow;

constexpr std::uint32_t kFlood = 100000;

struct Flooded {
  FakeDevice device{{100, 30}};
  os::ManualClock clock;
  TerminalFrontEnd fe{device, clock};
  RecordingWindow window;
  std::uint32_t handled = 0;  // posted messages handled so far
  // Those handled before the first key or command reached the window.
  std::uint32_t handled_before_input = kFlood;
  bool in_order = true;

  Flooded() {
    window.on_posted = [this](std::uint32_t, std::uint32_t wparam) {
      in_order = in_order && wparam == handled;
      window.calls.pop_back();  // only the keys and commands are of interest
      if (!window.calls.empty() && handled_before_input == kFlood) handled_before_input = handled;
      ++handled;
    };
    // The whole flood is waiting before the next input arrives.
    device.Add([this] {
      for (std::uint32_t i = 0; i < kFlood; ++i)
        fe.screen().queue().Post({TerminalFrontEnd::kMainWindowHandle, 0x4202, i, 0});
    });
  }
};

// A key typed while a flood waits is served after one batch, not after the
// flood; the flood then goes on in order.
TEST(ScreenLoop, AKeyIsServedBetweenBatchesOfAFlood) {
  Flooded f;
  f.device.Add(InputEvent::Char('a'));
  f.fe.Run(f.window);
  EXPECT_LE(f.handled_before_input, 2 * Screen::kPostBatch);
  EXPECT_EQ(f.window.calls, (std::vector<std::string>{"down 1e", "char 1e", "up 1e"}));
  EXPECT_EQ(f.handled, kFlood);
  EXPECT_TRUE(f.in_order);
}

// Exit from the menu during a flood ends the loop without waiting for it.
TEST(ScreenLoop, ExitDuringAFloodEndsTheLoop) {
  Flooded f;
  f.window.on_command = [&](int id) {
    if (id == res::kIdExit) f.fe.DestroyMainWindow();
  };
  f.device.Keys({Key::kF10, Key::kUp, Key::kEnter});
  EXPECT_EQ(f.fe.Run(f.window), 0);
  EXPECT_EQ(f.window.calls, (std::vector<std::string>{"command 107"}));
  EXPECT_LT(f.handled, kFlood);
  EXPECT_TRUE(f.in_order);
}

// Handlers that take long make batches shorter: a key waits for a batch's
// time, not for its count.
TEST(ScreenLoop, ABatchEndsWhenItsTimeIsUp) {
  FakeDevice device{{100, 30}};
  os::ManualClock clock;
  TerminalFrontEnd fe{device, clock};
  RecordingWindow window;
  std::uint32_t handled = 0, handled_at_key = 200;
  window.on_posted = [&](std::uint32_t, std::uint32_t) {
    window.calls.pop_back();
    if (!window.calls.empty() && handled_at_key == 200) handled_at_key = handled;
    ++handled;
    clock.Advance(std::chrono::milliseconds(1));
  };
  device.Add([&] {
    for (std::uint32_t i = 0; i < 200; ++i)
      fe.screen().queue().Post({TerminalFrontEnd::kMainWindowHandle, 0x4202, i, 0});
  });
  device.Add(InputEvent::Char('a'));
  fe.Run(window);
  EXPECT_EQ(handled, 200u);
  // 8 ms of 1 ms handlers, looked at every 16 messages: the batch under way
  // when the key came and the one after it was read.
  EXPECT_EQ(handled_at_key, 2u * 16u);
}

// A flood is painted a few times while it is handled and once at its end,
// showing its last line.
TEST(ScreenLoop, AFloodIsPaintedOnceAFrameIntervalAtMost) {
  Flooded f;
  f.window.on_posted = [&](std::uint32_t, std::uint32_t wparam) {
    f.window.calls.pop_back();
    ++f.handled;
    f.fe.AppendLog("line " + std::to_string(wparam));
    f.clock.Advance(std::chrono::microseconds(10));
  };
  f.fe.Run(f.window);
  EXPECT_EQ(f.handled, kFlood);
  EXPECT_LE(f.device.paints(), testing::MostFloodPaints(f.clock.Elapsed()));
  // At least once a frame interval and a batch: the screen moves while the
  // flood is handled.
  EXPECT_GE(f.device.paints(), f.clock.Elapsed() / (Screen::kFrameInterval + Screen::kBatchTime));
  EXPECT_TRUE(testing::Shows(f.device.painted(), "line 99999 "));
}

}  // namespace
}  // namespace terminal
