// The tool against a hostile POS library (tests/hostile/), loaded through the
// real binding: every status named or shown by number, odd handles and
// counts reported, odd pairs echoed without a fault, floods of events from
// several threads logged without a line lost, stalls waited out, and PosTerm
// called once at the end.
#include <cinttypes>
#include <climits>
#include <cstdio>

#include "codes/code_tables.h"
#include "posapi/library_loader.h"
#include "tests/hostile/hostile_pos_library.h"
#include "tests/scripted_session.h"

namespace {

using namespace session;

struct HostileSession : Session {
  HostileSession() : Session(HOSTILE_LIBRARY_PATH) {
    const std::vector<Entry> init =
        Command(res::kIdInitialize, [](ui::ScriptedDialog& d) { d.Press(res::kIdOk); });
    EXPECT_EQ(port.Boxes().back(), Box("Initialize Successful.", "POS Initialize"));
  }
  ~HostileSession() { posapi::CloseLibrary(hold_); }
  // What the library counted; it stays loaded after PosTerm while the
  // session holds it.
  const HostileStats& Stats() {
    auto stats =
        reinterpret_cast<Hostile_Stats_fn>(posapi::FindLibraryEntry(hold_, HOSTILE_STATS_NAME));
    return *stats();
  }
  posapi::LibraryHandle hold_ = posapi::OpenLibrary(HOSTILE_LIBRARY_PATH);
  std::vector<Entry> Open(const std::string& name) {
    return Command(res::kIdOpen, [&](ui::ScriptedDialog& d) {
      d.Type(res::kIdDeviceName, name);
      d.Press(res::kIdOk);
    });
  }
  std::vector<Entry> Read(const std::string& handle, const std::string& size) {
    return Command(res::kIdRead, [&](ui::ScriptedDialog& d) {
      d.Type(res::kIdHandle, handle);
      d.Type(res::kIdBufferSize, size);
      d.Press(res::kIdOk);
    });
  }
};

std::string StatusLine(std::int32_t status, const std::string& name) {
  return "  RC = -1, errno = (" + std::to_string(status) + ") " + name + "  ";
}

// Every status of the error table by its name; codes no table names by
// their number.
TEST(HostileLibrary, EveryStatusIsReportedByNameOrNumber) {
  HostileSession s;
  struct Case {
    std::int32_t status;
    std::string shown;
  };
  std::vector<Case> cases = {
      {-1, "-1     (0xFFFFFFFF)"},
      {99999, "99999  (0x0001869F)"},
      {INT32_MAX, "2147483647 (0x7FFFFFFF)"},
      {INT32_MIN, "-2147483648 (0x80000000)"},
      {1, "1      (0x00000001)"},
  };
  for (const codes::CodeName* row = codes::ErrorNames; row->name != nullptr; ++row)
    cases.push_back({row->code, row->name});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    const std::string line = StatusLine(c.status, c.shown);
    EXPECT_EQ(s.Open("STATUS:" + std::to_string(c.status)),
              (std::vector<Entry>{LogLine("Command-->  PosOpen(STATUS:" + std::to_string(c.status) +
                                          ", PosDisplay, [], 0)"),
                                  LogLine(line), Box(line, "Command Status")}));
  }
}

// Handles of 0, negative and huge values: a handle above 0 is shown, 0 or
// below is a failure with status 0 (the library said success), never a
// stale errno.
TEST(HostileLibrary, OddHandles) {
  HostileSession s;
  const struct {
    const char* name;
    std::vector<Entry> entries;
  } cases[] = {
      {"ZERO",
       {LogLine("Command-->  PosOpen(ZERO, PosDisplay, [], 0)"),
        LogLine("  RC = 0, errno = (0) 0      (0x00000000)  "),
        Box("  RC = 0, errno = (0) 0      (0x00000000)  ", "Command Status")}},
      {"HUGE",
       {LogLine("Command-->  PosOpen(HUGE, PosDisplay, [], 0)"),
        LogLine("  Handle :  2147483647  Device Name :  HUGE"),
        Box("  Handle :  2147483647  Device Name :  HUGE", "POS Open")}},
      {"NEGATIVE",
       {LogLine("Command-->  PosOpen(NEGATIVE, PosDisplay, [], 0)"),
        LogLine("  RC = -5, errno = (0) 0      (0x00000000)  "),
        Box("  RC = -5, errno = (0) 0      (0x00000000)  ", "Command Status")}},
      {"LOWEST",
       {LogLine("Command-->  PosOpen(LOWEST, PosDisplay, [], 0)"),
        LogLine("  RC = -2147483648, errno = (0) 0      (0x00000000)  "),
        Box("  RC = -2147483648, errno = (0) 0      (0x00000000)  ", "Command Status")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(s.Open(c.name), c.entries);
  }
}

// Counts beyond the buffer or negative are reported, and nothing of the
// buffer is shown; a library that fills the buffer with control bytes gets
// them dumped as bytes.
TEST(HostileLibrary, ByteCountsBeyondTheBuffer) {
  HostileSession s;
  const std::string overlong =
      "  --> PosRead reported 116 bytes for a buffer of 16 bytes: nothing shown  ";
  EXPECT_EQ(s.Read("1", "16"),
            (std::vector<Entry>{LogLine("Command-->  PosRead(1, [], 16)"), LogLine(overlong),
                                Box(overlong, "Command Status")}));
  const std::string huge =
      "  --> PosRead reported 2147483647 bytes for a buffer of 16 bytes: nothing shown  ";
  EXPECT_EQ(s.Read("3", "16"), (std::vector<Entry>{LogLine("Command-->  PosRead(3, [], 16)"),
                                                   LogLine(huge), Box(huge, "Command Status")}));
  const std::string negative = "  RC = -7, errno = (0) 0      (0x00000000)  ";
  EXPECT_EQ(s.Read("2", "16"),
            (std::vector<Entry>{LogLine("Command-->  PosRead(2, [], 16)"), LogLine(negative),
                                Box(negative, "Command Status")}));
  const std::vector<Entry> control = s.Read("4", "20");
  ASSERT_EQ(control.size(), 7u);
  EXPECT_EQ(
      control[3].text.rfind("   0000: 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F  | ", 0), 0u);
  EXPECT_EQ(control[4].text.rfind("   0010: 10 11 12 13  | ", 0), 0u);
}

// What the library leaves in the pairs after POS_SYS_GET_VALUES is read
// without a fault: address 1, null, a name without end, escapes.
TEST(HostileLibrary, OddPairsAreEchoedWithoutAFault) {
  HostileSession s;
  const std::vector<Entry> ioctl = s.Command(res::kIdIoctl, [](ui::ScriptedDialog& d) {
    d.Type(res::kIdHandle, "7");
    d.Select(res::kIdRequest, 0);
    for (const char* name : {"PosNa", "PosNb", "PosNc", "PosNd", "PosNe", "PosNf"}) {
      d.Type(res::kIdArgResource, name);
      d.Select(res::kIdArgType, 2);  // String
      d.Type(res::kIdArgValue, "v");
      d.Press(res::kIdAddResource);
    }
    d.Press(res::kIdOk);
    d.Press(res::kIdCancel);
  });
  std::vector<std::string> after;
  bool second = false;
  for (const Entry& e : ioctl) {
    if (e.kind == Entry::kBox)
      second = true;
    else if (second)
      after.push_back(e.text);
  }
  EXPECT_EQ(after, (std::vector<std::string>{
                       "     1: (unreadable 0x00000001)   ", "  v    ", "     2:    ", "  v    ",
                       "     3: c   ", "  (unreadable 0x00000001)    ",
                       "     4: " + std::string(4096, 'N') + "   ", "  v    ", "     5: e   ",
                       "  \033]0;PWNED\007\033[2J\033[31mred    ", "     6: f   ",
                       "  (unreadable 0xFFFFFFFF)    "}));
}

// Floods from several threads while the user works and the library stalls:
// every event is logged, in order per thread, and PosTerm ends the flood.
TEST(HostileLibrary, FloodsLoseNoLine) {
  constexpr int kThreads = 6;
  constexpr int kEach = 4000;
  HostileSession s;
  s.port.Clear();
  s.Open("BURST:" + std::to_string(kThreads) + ":" + std::to_string(kEach));
  // A stalled write and a stalled read while the flood goes on.
  s.Command(res::kIdWrite, [](ui::ScriptedDialog& d) {
    d.Type(res::kIdHandle, "9");
    d.Type(res::kIdWriteData, "x");
    d.Press(res::kIdOk);
  });
  s.Read("5", "16");
  const auto posted = [&s] {
    const HostileStats& stats = s.Stats();
    std::int64_t total = 0;
    for (std::int64_t n : stats.posted) total += n;
    return std::make_pair(total, stats.refused);
  };
  ASSERT_TRUE(s.PumpUntil([&] { return posted().first + posted().second == kThreads * kEach; },
                          std::chrono::seconds(60)));
  s.Pump();
  const HostileStats stats = s.Stats();
  EXPECT_EQ(stats.refused, 0);
  const auto count = [&s](const std::string& prefix) {
    std::int64_t n = 0;
    for (const std::string& line : s.port.LogLines()) n += line.rfind(prefix, 0) == 0;
    return n;
  };
  const auto sent = [&stats](std::uint32_t code) {
    return stats.posted[code - HOSTILE_FIRST_CODE];
  };
  EXPECT_EQ(count("KEYLOCK  STATUS_CHANGE"), kEach);
  EXPECT_EQ(count("KBD_DOWN") + count("KBD_UP"), sent(0x4202));
  EXPECT_EQ(count("MSR DATA AVAILABLE"), sent(0x4203));
  EXPECT_EQ(count("PRINTER ERROR mp1"), sent(0x4205));
  EXPECT_EQ(count("SCANNER DATA AVAILABLE"), sent(0x420B));
  EXPECT_EQ(count(" wParam --> "), sent(0x420D));
  EXPECT_EQ(count("TILL OPENED"), sent(0x420F));
  EXPECT_EQ(count("PRINTER DATA AVAILABLE"), sent(0x4210));
  // Thread 0's events in the order it posted them.
  std::int64_t expected = 0;
  for (const std::string& line : s.port.LogLines()) {
    if (line.rfind("KEYLOCK  STATUS_CHANGE (Position = ", 0) != 0) continue;
    ASSERT_EQ(line, "KEYLOCK  STATUS_CHANGE (Position = " + std::to_string(expected) + ")");
    ++expected;
  }
  const std::int32_t terms = stats.term_calls;
  posapi::PosTerm();
  EXPECT_EQ(s.Stats().term_calls, terms + 1);
}

}  // namespace
