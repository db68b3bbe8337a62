#include "posim/posimctl/scenario.h"

#include <gtest/gtest.h>

namespace posim {
namespace {

using Kind = ScenarioStep::Kind;

TEST(ParseScenario, BadLinesAreEachToldWithTheirNumber) {
  const struct {
    const char* text;
    std::vector<std::string> errors;
  } cases[] = {
      {"", {"no actions to play"}},
      {"# only a comment\n\n", {"no actions to play"}},
      {"0.5s scan 1\n",
       {"line 1: bad time 0.5s (seconds, up to three decimals: 1.5, or +0.25 after the line "
        "before)"}},
      {"1.2345 scan 1\n",
       {"line 1: bad time 1.2345 (seconds, up to three decimals: 1.5, or "
        "+0.25 after the line before)"}},
      {"1. scan 1\n",
       {"line 1: bad time 1. (seconds, up to three decimals: 1.5, or +0.25 after "
        "the line before)"}},
      {"99999 scan 1\n",
       {"line 1: bad time 99999 (seconds, up to three decimals: 1.5, or +0.25 "
        "after the line before)"}},
      {"2\n", {"line 1: a time and nothing to do"}},
      {"2 scan 1\n1 scan 2\n",
       {"line 2: its time comes before the time of a line above (a time after the line before "
        "is written +SECONDS)"}},
      {"repeat 3\nscan 1\n}\n",
       {"line 1: repeat COUNT { is how a repeat begins",
        "line 3: } "
        "without a "
        "repeat"}},
      {"repeat 0 {\nscan 1\n}\n",
       {"line 1: a repeat runs 1 to 100000 times",
        "line 3: } without "
        "a repeat"}},
      {"repeat 2 {\n}\nscan 1\n", {"line 1: a repeat with nothing to repeat"}},
      {"scan 1\nrepeat 2 {\nscan 2\n", {"line 2: repeat without its closing }"}},
      {"scan 1\n1 }\n",
       {
           "line 2: } stands alone on its line",
       }},
      {"wait-for\nscan 1\n",
       {"line 1: wait-for takes a call (open, close, ioctl, read, write, initialize, term or "
        "version) and a word it must hold, or an event (a POSM_ name or number)"}},
      {"wait-for POSM_NOTHING\nscan 1\n", {"line 1: no event POSM_NOTHING"}},
      {"wait-for open scanner extra\nscan 1\n",
       {"line 1: wait-for takes a call (open, close, ioctl, read, write, initialize, term or "
        "version) and a word it must hold, or an event (a POSM_ name or number)"}},
      {"watch display\nplay x\nscan 1\n",
       {"line 1: watch is no device action", "line 2: play is no device action"}},
  };
  for (const auto& c : cases) {
    std::vector<ScenarioStep> steps;
    std::vector<std::string> errors;
    EXPECT_FALSE(ParseScenario(c.text, steps, errors)) << c.text;
    EXPECT_EQ(errors, c.errors) << c.text;
  }
}

TEST(ParseScenario, StepsKeepTimesBlocksAndTheActionsWords) {
  const char* text =
      "# a lane\n"
      "0.0 online @SCANNER1\n"
      "0.5 scan \"40 06\"   # a comment\n"
      "+0.25 key 0x1c\n"
      "2 repeat 3 {\n"
      "  +1 scan #not-a-comment-inside\n"
      "  1.5 swipe \";1=2?\"\n"
      "}\n"
      "wait-for open scanner\n"
      "wait-for POSM_TILL_OPENED\n"
      "wait-for 0x4216\n"
      "0.001 paper out\n"
      "type abc\n";
  std::vector<ScenarioStep> steps;
  std::vector<std::string> errors;
  ASSERT_TRUE(ParseScenario(text, steps, errors)) << errors.front();
  const struct {
    Kind kind;
    int line;
    bool relative;
    std::int64_t ms;
    const char* text;
  } want[] = {
      {Kind::kAction, 2, false, 0, "online @SCANNER1"},
      {Kind::kAction, 3, false, 500, "scan \"40 06\""},
      {Kind::kAction, 4, true, 250, "key 0x1c"},
      {Kind::kRepeat, 5, false, 2000, ""},
      {Kind::kAction, 6, true, 1000, "scan"},
      {Kind::kAction, 7, false, 1500, "swipe \";1=2?\""},
      {Kind::kEnd, 8, true, 0, ""},
      {Kind::kWaitFor, 9, true, 0, "open scanner"},
      {Kind::kWaitFor, 10, true, 0, "POSM_TILL_OPENED"},
      {Kind::kWaitFor, 11, true, 0, "0x4216"},
      {Kind::kAction, 12, false, 1, "paper out"},
      {Kind::kAction, 13, true, 0, "type abc"},
  };
  ASSERT_EQ(steps.size(), std::size(want));
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(steps[i].kind, want[i].kind);
    EXPECT_EQ(steps[i].line, want[i].line);
    EXPECT_EQ(steps[i].relative, want[i].relative);
    EXPECT_EQ(steps[i].ms, want[i].ms);
    if (want[i].text[0] != '\0') {
      EXPECT_EQ(steps[i].text, want[i].text);
    }
  }
  EXPECT_EQ(steps[3].count, 3);
  EXPECT_EQ(steps[3].partner, 6u);
  EXPECT_EQ(steps[6].partner, 3u);
  EXPECT_FALSE(steps[7].wait.event);
  EXPECT_EQ(steps[7].wait.entry, Entry::kOpen);
  EXPECT_EQ(steps[7].wait.word, "scanner");
  EXPECT_TRUE(steps[8].wait.event);
  EXPECT_EQ(steps[8].wait.message, 0x420Fu);
  EXPECT_EQ(steps[9].wait.message, 0x4216u);
}

TEST(WaitMatches, CallsThatSucceededWithTheWordAndEventsByCode) {
  WaitTarget open_scanner;
  open_scanner.entry = Entry::kOpen;
  open_scanner.word = "Scanner";
  WaitTarget any_close;
  any_close.entry = Entry::kClose;
  WaitTarget opened;
  opened.event = true;
  opened.message = 0x420F;
  const struct {
    const WaitTarget& target;
    const char* line;
    bool matches;
  } cases[] = {
      {open_scanner,
       "12:00:00.000 PosOpen(\"DEVNAME\", \"PosScanner\", [], 0) = 0, handle 1 "
       "(SCANNER1)",
       true},
      {open_scanner,
       "12:00:00.000 PosOpen(\"SCANNER1\", \"PosDevice\", [], 0) = 0, handle 2 "
       "(SCANNER1)",
       true},
      {open_scanner,
       "12:00:00.000 PosOpen(\"DEVNAME\", \"PosScanner\", [], 0) = 317 "
       "POSERR_SYS_DEVICE_OFFLINE",
       false},
      {open_scanner,
       "12:00:00.000 PosOpen(\"DEVNAME\", \"PosDisplay\", [], 0) = 0, handle 1 "
       "(DISPLAY1)",
       false},
      {open_scanner, "12:00:00.000 PosIoctl(1, 302 POS_SYS_GET_VALUES, [], 0) = 0, out 0", false},
      {open_scanner,
       "12:00:00.000 event POSM_SCAN_DATA_AVAIL (0x420B) to window 0x1: wParam "
       "0x00000001, lParam 4",
       false},
      {any_close, "12:00:00.000 PosClose(3) = 0, SCANNER1", true},
      {any_close, "12:00:00.000 PosClose(3) = 303 POSERR_SYS_INVALID_DESCRIPTOR", false},
      {any_close, "12:00:00.000 PosClose(3) = 0123", false},
      {opened,
       "12:00:00.000 event POSM_TILL_OPENED (0x420F) to window 0x1: wParam 0x00000002, "
       "lParam 0",
       true},
      {opened,
       "12:00:00.000 event POSM_TILL_CLOSED (0x420E) to window 0x1: wParam 0x00000002, "
       "lParam 0",
       false},
      {opened, "12:00:00.000 PosIoctl(2, 1002 POS_TILL_OPEN_TILL (0x420F), [], 0) = 0, out 0",
       false},
  };
  for (const auto& c : cases) EXPECT_EQ(WaitMatches(c.target, c.line), c.matches) << c.line;
}

}  // namespace
}  // namespace posim
