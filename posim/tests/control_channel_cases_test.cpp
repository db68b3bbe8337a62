// The control channel's cases that hold on every host, whatever carries it
// (a socket, a Windows pipe): posimctl's commands, and what one connection's
// line may be. The transports' own cases are in control_channel_test.cpp and
// control_channel_win32_test.cpp.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "posim/devices/codes.h"
#include "posim/tests/library_fixture.h"
#include "posim/tests/posimctl_run.h"

namespace posim_test {
namespace {

#if defined(_WIN32)
constexpr const char* kNowhere = "C:\\nonexistent\\posim.sock";
constexpr bool kPipe = true;
#else
constexpr const char* kNowhere = "/nonexistent/posim.sock";
constexpr bool kPipe = false;
#endif

TEST_F(LibraryTest, PosimctlDrivesTheTerminal) {
  std::ofstream("lane.txt")
      << "# a lane\nDSP PosDisplay 0x24 1 0 0x22\nSCN PosScanner 0x4A 1 2 0\n";
  std::ofstream("badport.txt") << "DSP PosDisplay 0x24 1 0 0x22\nSCN PosScanner 0x4A 1 2 0x33\n";
  const struct {
    std::vector<std::string> words;
    int exit_code;
    const char* output;  // a part of what it prints
  } cases[] = {
      {{"help"}, 0, "scan LABEL"},
      {{"scan", "4006381333931"}, 0, ""},
      {{"show", "devices"}, 0, "SCANNER1"},
      {{"weigh", "lots"}, 1, "error: usage: weigh GRAMS"},
      {{"frobnicate"}, 1, "error: unknown command 'frobnicate'"},
      {{"-s", kNowhere, "help"}, 2, "no simulated terminal listens"},
      {{}, 2, "usage: posimctl"},
      {{"trace", "--bogus"}, 2, "usage: posimctl trace [events] [--to FILE]"},
      {{"watch", "display", "printer"}, 2, "usage: posimctl watch [DEVICE|all]"},
      {{"watch", "nosuch"}, 1, "error: "},
      // Checked by posimctl itself, with or without a session.
      {{"check-terminal", "lane.txt"}, 0, "lane.txt: 2 devices\nDSP "},
      {{"check-terminal", "badport.txt"},
       1,
       "badport.txt: line 2: bad port 0x33 (0x00, 0x11 or 0x22)"},
      {{"check-terminal", "missing.txt"},
       1,
       "missing.txt: cannot be opened: Initialize takes the "},
      {{"check-terminal"}, 2, "usage: posimctl check-terminal FILE"},
      {{"-s", kNowhere, "check-terminal", "lane.txt"}, 0, "2 devices"},
      {{"help"}, 0, "check-terminal FILE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words.empty() ? "no words" : c.words[0] + " ...");
    const PosimctlRun run = RunPosimctl(c.words);
    EXPECT_EQ(run.exit_code, c.exit_code) << run.output;
    EXPECT_NE(run.output.find(c.output), std::string::npos) << run.output;
  }
  std::remove("lane.txt");
  std::remove("badport.txt");
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  EXPECT_EQ(Read(scanner, 80).bytes, "4006381333931");
}

TEST_F(LibraryTest, TheChannelTakesOneBoundedLinePerConnection) {
  enum Where { kEvery, kSocketOnly, kPipeOnly };
  const struct {
    Where where;
    std::string sent;
    const char* reply;  // its beginning
  } cases[] = {
      {kEvery, "show events\n", "ok\n"},
      {kEvery, "values display\r\n", "ok\nrows = 2\n"},
      {kEvery, "bogus\n", "error: unknown command 'bogus'"},
      {kEvery, "scan " + std::string(200000, '7') + "\n",
       "error: command line longer than 65536 bytes"},
      // No line feed: on a socket the line is over when the client ends its
      // sending side, on a pipe when the client waits for the reply.
      {kEvery, std::string(70000, 'x'), "error: command line longer than 65536 bytes"},
      {kSocketOnly, "show events", "ok\n"},
      {kSocketOnly, "", "error: no command line"},
      {kPipeOnly, "show events\nrest", "ok\n"},
      {kPipeOnly, "show events", "error: no command line"},
      {kEvery, "scan 1\nscan 2\n", "ok\n"},
  };
  for (const auto& c : cases) {
    if (c.where == (kPipe ? kSocketOnly : kPipeOnly)) continue;
    SCOPED_TRACE(c.sent.substr(0, 40));
    const std::string reply = ExchangeOnChannel(c.sent);
    EXPECT_EQ(reply.rfind(c.reply, 0), 0u) << reply;
  }
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  EXPECT_EQ(Read(scanner, 80).bytes, "1") << "one line a connection";
  EXPECT_EQ(Read(scanner, 80).status, posim::kSysTimeout) << "a line too long is not run";
}

TEST_F(LibraryTest, ControlWordsAreCheckedBeforeTheyAct) {
  const struct {
    std::string line;
    const char* reply;
  } cases[] = {
      {"weigh +250", "ok\n"},
      {"weigh --5", "error: usage: weigh GRAMS\n"},
      {"weigh 0x-5", "error: usage: weigh GRAMS\n"},
      {"weigh 100001", "error: status 310: a load is at most 100000 grams either way\n"},
      {"post 0x4201 --9223372036854775808 0", "error: usage: post CODE WPARAM LPARAM [COUNT]\n"},
      {"post 0x4201 1 99999999999999999999", "error: usage: post CODE WPARAM LPARAM [COUNT]\n"},
      {"post 0x4201 1 2 1000001", "error: usage: post CODE WPARAM LPARAM [COUNT]\n"},
      {"key 256", "error: usage: key CODE [CHAR]\n"},
      {"touch -1 0", "error: usage: touch X Y\n"},
      {"scan @NOSUCH 1", "error: NOSUCH is no device of this kind\n"},
      {"scan @DISPLAY1 1", "error: DISPLAY1 is no device of this kind\n"},
      {"scan \"\"", "error: status 5722: the label is empty\n"},
      {"scan \"" + std::string(65, '1') + "\"",
       "error: status 5723: a label holds at most 64 characters\n"},
      {"type a\x01", "error: no key for '\\x01'\n"},
      {"type \"12.50 $ off!\"", "ok\n"},
      {"close-drawer", "error: status 322: DRAWER1 is not open\n"},
      {"keylock 8", "error: status 310: the key lock has the positions 0 to 7\n"},
      {"swipe " + std::string(80, '1'),
       "error: status 310: tracks 1, 2 and 3 hold at most 79, 40 and 107 characters\n"},
      {"online DISPLAY1", "error: status 322: DISPLAY1 is on line already\n"},
      {"offline NOSUCH", "error: the terminal has no device NOSUCH\n"},
      {"offline scanner scale", "error: usage: offline DEVICE\n"},
      {"show NOSUCH", "error: the terminal has no device NOSUCH\n"},
      {"values", "error: usage: values DEVICE\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Control(c.line), c.reply) << c.line;
}

}  // namespace
}  // namespace posim_test
