// End-to-end cases of device events that arrive while message boxes wait,
// and of two copies of the program running side by side.
#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/win32/e2e_fixture.h"

namespace e2e {
namespace {

TEST_F(Ridozod, EventsAreHandledWhileBoxesWaitAndTheirOwnBoxesStack) {
  ASSERT_TRUE(Start());
  ASSERT_NO_FATAL_FAILURE(Initialize());
  const std::vector<std::string> before = Log();

  // Each event is posted while the boxes of the earlier ones are still open.
  struct Posted {
    const char* words;               // posimctl post CODE WPARAM LPARAM [COUNT]
    std::vector<std::string> lines;  // what the events append, in order
    const char* caption;             // each event's box; none: no box
    int boxes;                       // how many boxes open, each showing the last line
  };
  const std::string till = "TILL OPENED (Device Descriptor = 2)";
  const std::string printer = "PRINTER ERROR mp1 = 0x107 , mp2 = 0xbeef";
  const Posted posted[] = {
      {"0x4201 0 5", {"KEYLOCK  STATUS_CHANGE (Position = 5)"}, "KeyLock Position Changed", 1},
      {"0x4202 0 0x1E", {"KBD_DOWN (Scancode = 0x1e)"}, nullptr, 0},
      {"0x4203 0 300", {"MSR DATA AVAILABLE (Length = 44)"}, "MSR Message", 1},
      {"0x4205 0x107 0xBEEF",
       {"PRINTER ERROR (Device Descriptor = 7)", printer},
       "TRAX Printer",
       1},
      {"0x420C 0x4803 0", {"MSR_3_TRACK OFF LINE (Device Descriptor = 3)"}, "TRAX Message", 1},
      {"0x4202 0 0x4001E", {"KBD_UP (Scancode = 0x1e)"}, nullptr, 0},
      // Three at once: each opens its box inside the box of the one before.
      {"0x420F 2 0 3", {till, till, till}, "TRAX Message", 3},
  };
  std::vector<std::string> appended;
  std::vector<Box> expected_boxes;  // the newest first
  for (const Posted& p : posted) {
    SCOPED_TRACE(p.words);
    const drive::Ran ran = Posimctl(std::string("post ") + p.words);
    ASSERT_EQ(ran.exit_code, 0u) << ran.output;
    appended.insert(appended.end(), p.lines.begin(), p.lines.end());
    for (int i = 0; i < p.boxes; ++i)
      expected_boxes.insert(expected_boxes.begin(), Box{nullptr, p.caption, p.lines.back()});
    std::vector<std::string> wanted = before;
    wanted.insert(wanted.end(), appended.begin(), appended.end());
    ASSERT_TRUE(drive::WaitUntil([&] {
      return Log() == wanted && drive::MessageBoxes(pid()).size() == expected_boxes.size();
    })) << "log:\n"
        << Join(Log()) << "boxes: " << drive::MessageBoxes(pid()).size();
  }

  // The boxes close from the newest; each says what its event appended.
  for (const Box& want : expected_boxes) {
    const std::vector<Box> open = drive::MessageBoxes(pid());
    ASSERT_FALSE(open.empty());
    EXPECT_EQ(open.front().caption, want.caption);
    EXPECT_EQ(open.front().text, want.text);
    ASSERT_TRUE(drive::CloseMessageBox(open.front()));
  }
  EXPECT_TRUE(drive::MessageBoxes(pid()).empty());
  std::vector<std::string> wanted = before;
  wanted.insert(wanted.end(), appended.begin(), appended.end());
  EXPECT_EQ(Log(), wanted);
  Exit();
}

TEST_F(Ridozod, ExitWhileEventBoxesWaitEndsWithExitCode0) {
  ASSERT_TRUE(Start());
  // Two key-lock events, posted as the library posts them, open two boxes.
  // The boxes have no owner, so the main window still takes Exit from its
  // menu: the boxes give way and the program ends.
  std::size_t boxes = 0;
  for (LPARAM position : {5, 6}) {
    PostMessageW(main_, 0x4201, 0, position);
    ++boxes;
    ASSERT_TRUE(drive::WaitUntil([&] { return drive::MessageBoxes(pid()).size() == boxes; }));
  }
  drive::MenuCommand(main_, res::kIdExit);
  ExpectExit(0);
}

TEST_F(Ridozod, ABurstOfBoxEventsStacksAtMost32BoxesAndEveryLineComesInOrder) {
  ASSERT_TRUE(Start());
  ASSERT_NO_FATAL_FAILURE(Initialize());
  // Every call the library receives, until its session ends.
  std::unique_ptr<drive::Process> trace =
      drive::Process::Start("\"" + g_run + "\\posimctl.exe\" trace", g_run, true);
  ASSERT_TRUE(trace);
  constexpr std::size_t kMostBoxes = 32;
  // MSR events, as a device stuck in a loop posts them: each opens a box.
  const auto burst = [&](int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
      PostMessageW(main_, 0x4203, 0, i);
      lines.push_back("MSR DATA AVAILABLE (Length = " + std::to_string(i & 0xFF) + ")");
    }
    return lines;
  };
  std::vector<std::string> wanted = Log();
  const std::vector<std::string> lines = burst(1000);
  wanted.insert(wanted.end(), lines.begin(), lines.end());

  // The boxes stack up to the limit, and no further (the loop below finds
  // 32, not more); the later events wait for one to close.
  ASSERT_TRUE(drive::WaitUntil([&] { return drive::MessageBoxes(pid()).size() == kMostBoxes; }))
      << drive::MessageBoxes(pid()).size() << " boxes";
  Sleep(300);
  // Each box closed lets the next event open its own: 32 stay open until
  // fewer events are left, each showing its own event's line. Boxes are
  // told apart by their windows (the window order lags behind).
  std::vector<HWND> stack;  // the open boxes, oldest first
  std::size_t opened = 0;
  for (std::size_t closed = 0; closed < lines.size(); ++closed) {
    const std::size_t left = std::min(kMostBoxes, lines.size() - closed);
    std::vector<HWND> open;
    ASSERT_TRUE(drive::WaitUntil([&] {
      return (open = drive::MessageBoxWindows(pid())).size() == left;
    })) << closed
        << " closed, " << open.size() << " open";
    std::vector<Box> new_boxes;
    for (HWND w : open)
      if (std::find(stack.begin(), stack.end(), w) == stack.end())
        new_boxes.push_back(drive::ReadMessageBox(w));
    // The first boxes' lines differ: they tell the order.
    std::sort(new_boxes.begin(), new_boxes.end(), [&](const Box& a, const Box& b) {
      return std::find(lines.begin(), lines.end(), a.text) <
             std::find(lines.begin(), lines.end(), b.text);
    });
    for (const Box& box : new_boxes) {
      EXPECT_EQ(box.text, lines[opened++]) << closed << " closed";
      stack.push_back(box.window);
    }
    ASSERT_EQ(stack.size(), left);
    ASSERT_TRUE(drive::CloseMessageBox(Box{stack.back(), {}, {}})) << closed << " closed";
    stack.pop_back();
  }
  EXPECT_TRUE(drive::WaitUntil([&] { return drive::MessageBoxes(pid()).empty(); }));
  EXPECT_EQ(Log(), wanted);

  // Exit with the boxes of a second burst open, and events waiting.
  burst(100);
  ASSERT_TRUE(drive::WaitUntil([&] { return drive::MessageBoxes(pid()).size() == kMostBoxes; }));
  drive::MenuCommand(main_, res::kIdExit);
  ExpectExit(0);
  const std::string calls = trace->Output();
  std::size_t terms = 0;
  for (std::size_t at = calls.find(" PosTerm("); at != std::string::npos;
       at = calls.find(" PosTerm(", at + 1))
    ++terms;
  EXPECT_EQ(terms, 1u) << calls;
}

TEST_F(Ridozod, ASecondCopyComesUpBesideTheFirstAndBothWork) {
  ASSERT_TRUE(Start());
  ASSERT_NO_FATAL_FAILURE(Initialize());
  std::unique_ptr<drive::Process> first = std::move(program_);
  HWND first_main = main_;
  const std::vector<std::string> first_log = drive::LogLines(first_main);

  ASSERT_TRUE(Start());
  EXPECT_NE(main_, first_main);
  for (HWND w : {first_main, main_}) {
    EXPECT_EQ(drive::ClassName(w), "RIDOZOD");
    EXPECT_EQ(drive::WindowText(w), "The RIDOZOD Program for Win95 and WinNT");
  }
  // The second initialises too; its events go to its own window only.
  ASSERT_NO_FATAL_FAILURE(Initialize());
  EXPECT_EQ(drive::LogLines(first_main), first_log);
  Exit();

  // The first still works after the second has ended.
  std::swap(program_, first);
  main_ = first_main;
  ASSERT_NO_FATAL_FAILURE(Open("PosDisplay", "  Handle :  1  Device Name :  DEVNAME"));
  Exit();
}

}  // namespace
}  // namespace e2e
