#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "dialogs/test_support.h"
#include "resources/templates.h"

namespace dialogs::testing {
namespace {

// Request combo items of the harness's PIOCTLRE.DAT.
enum Request { kGetValues = 0, kOpenTill = 1, kClearScreen = 2, kGetValuesLower = 3, kBlanks = 4 };

void AddRow(ui::ScriptedDialog& d, int resource, int type, const char* value) {
  d.Select(res::kIdArgResource, resource);
  d.Select(res::kIdArgType, type);
  d.Type(res::kIdArgValue, value);
  d.Press(res::kIdAddResource);
}

TEST(IoctlDialog, RequestChoiceChoosesTheResourceNames) {
  DialogHarness h;
  h.Run(res::kIdIoctl, [](ui::ScriptedDialog& d) {
    EXPECT_EQ(d.Text(res::kIdRequest), "POS_SYS_GET_VALUES");
    EXPECT_EQ(d.Items(res::kIdArgResource), std::vector<std::string>{"PosAVolume"});
    d.Press(res::kIdAddResource);
    d.Select(res::kIdRequest, kOpenTill);
    EXPECT_EQ(d.Items(res::kIdArgResource), std::vector<std::string>{"PosTPulseWidth"});
    d.Select(res::kIdRequest, kGetValues);
    EXPECT_EQ(d.Items(res::kIdArgResource), kSystemNames);
    d.Select(res::kIdArgResource, 1);
    d.Select(res::kIdRequest, kGetValues);
    EXPECT_EQ(d.Text(res::kIdArgResource), "PosSTimeout");
    d.Select(res::kIdRequest, kGetValuesLower);  // the prefix test is case-sensitive
    EXPECT_EQ(d.Items(res::kIdArgResource), kSystemNames);
    EXPECT_EQ(d.Items(res::kIdResourceList), std::vector<std::string>{"PosAVolume"});
  });
}

TEST(IoctlDialog, GetValuesEchoesThePairsAgainAfterTheCall) {
  for (const bool fails : {false, true}) {
    SCOPED_TRACE(fails);
    DialogHarness h;
    h.pos.string_pairs = {false, true};
    h.pos.on_pairs = [](ResourcePair* pairs, std::int32_t) {
      pairs[0].value = 0x1E;
      std::strcpy(reinterpret_cast<char*>(pairs[1].value), "DEV1");
    };
    if (fails) h.pos.Will(-1, 303);
    bool open = false;
    h.Run(res::kIdIoctl, [&](ui::ScriptedDialog& d) {
      d.Type(res::kIdHandle, "007");
      d.Select(res::kIdRequest, kGetValues);
      AddRow(d, 0, 0, "");
      AddRow(d, 1, 2, "");
      d.Press(res::kIdOk);
      open = !d.ended();
      EXPECT_EQ(d.Text(res::kIdArgCount), "0");
      EXPECT_TRUE(d.Items(res::kIdResourceList).empty());
      EXPECT_EQ(d.Text(res::kIdHandle), "007");
    });
    EXPECT_TRUE(open);
    const std::string rc = "  RC = -1, errno = (303) POSERR_SYS_INVALID_DESCRIPTOR  ";
    std::vector<Entry> expected = {LogLine("Command-->  PosIoctl(7, POS_SYS_GET_VALUES, [..], 2)"),
                                   LogLine("     1: Timeout   "),
                                   LogLine("               (0xFFFFFFFF)  "),
                                   LogLine("     2: DeviceName   "), LogLine("      ")};
    if (fails) {
      expected.push_back(LogLine(rc));
      expected.push_back(Box(rc, "Command Status"));
    } else {
      expected.push_back(Box("PosIoctl Successful.", "POS Ioctl"));
    }
    for (const char* line :
         {"     1: Timeout   ", "               (0x1E)  ", "     2: DeviceName   ", "  DEV1    "})
      expected.push_back(LogLine(line));
    EXPECT_EQ(h.entries(), expected);
    ASSERT_EQ(h.pos.calls.size(), 1u);
    EXPECT_EQ(h.pos.calls[0].numbers, (std::vector<std::int32_t>{7, 302, 2}));
    EXPECT_EQ(h.pos.calls[0].pair_texts[1], "");
    EXPECT_EQ(h.args.row_count(), 0u);
  }
}

TEST(IoctlDialog, RequestsWithoutASingleMatchAreNotSent) {
  struct Case {
    std::vector<std::string> requests;  // PIOCTLRE.DAT; the first one is sent
    std::vector<std::string> log;
  } cases[] = {
      {{"CLEAR SCREEN"},
       {"  --> Multiple matches for: 'CLEAR SCREEN'  ",
        "Command-->  PosIoctl(1, CLEAR SCREEN, [..], 1)", "     1: Volume   ",
        "               (0xFFFFFFFF)  ",
        "  --> No request sent: 'CLEAR SCREEN' names no single request  "}},
      {{"NO_SUCH_REQUEST"},
       {"  --> Couldn't find match for: 'NO_SUCH_REQUEST'  ",
        "Command-->  PosIoctl(1, NO_SUCH_REQUEST, [..], 1)", "     1: Volume   ",
        "               (0xFFFFFFFF)  ",
        "  --> No request sent: 'NO_SUCH_REQUEST' names no single request  "}},
      {{" _ "},
       {"Command-->  PosIoctl(1,  _ , [..], 1)", "     1: Volume   ",
        "               (0xFFFFFFFF)  ", "  --> No request sent: ' _ ' names no single request  "}},
      {{},
       {"Command-->  PosIoctl(1, , [..], 1)", "     1: Volume   ", "               (0xFFFFFFFF)  ",
        "  --> No request sent: '' names no single request  "}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.log.back());
    DialogHarness h;
    h.dir.WriteList("PIOCTLRE.DAT", c.requests);
    bool open = false;
    h.Run(res::kIdIoctl, [&](ui::ScriptedDialog& d) {
      d.Type(res::kIdHandle, "1");
      d.Press(res::kIdAddResource);
      d.Press(res::kIdOk);
      open = !d.ended();
      EXPECT_EQ(d.Text(res::kIdArgCount), "0");
      EXPECT_TRUE(d.Items(res::kIdResourceList).empty());
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(h.port.LogLines(), c.log);
    EXPECT_TRUE(h.port.Boxes().empty());
    EXPECT_TRUE(h.pos.calls.empty());
    EXPECT_EQ(h.args.row_count(), 0u);
  }
}

TEST(IoctlDialog, OpensWithAlarmNamesWhateverTheFirstRequest) {
  const std::vector<std::string> firsts[] = {
      {"POS_TILL_OPEN_TILL"}, {"POS_SYS_GET_VALUES"}, {"POS_SCAN_X"}, {}};
  for (const std::vector<std::string>& requests : firsts) {
    DialogHarness h;
    h.dir.WriteList("PIOCTLRE.DAT", requests);
    h.Run(res::kIdIoctl, [&](ui::ScriptedDialog& d) {
      EXPECT_EQ(d.Items(res::kIdRequest), requests);
      EXPECT_EQ(d.Items(res::kIdArgResource), std::vector<std::string>{"PosAVolume"});
      EXPECT_EQ(d.Text(res::kIdArgResource), "PosAVolume");
      EXPECT_EQ(d.Text(res::kIdArgCount), "0");
      EXPECT_EQ(d.Text(res::kIdHandle), "");
    });
    EXPECT_TRUE(h.entries().empty());
  }
}

// Values as the library leaves them after POS_SYS_GET_VALUES: numbers are
// shown as 32 bits, a string buffer filled to its end is never read past it,
// a string pair shows the text its value points at after the call.
constexpr char kLibraryText[] = "TEXT OF THE LIBRARY";

// The log of POS_SYS_GET_VALUES on one empty row of the type, the library
// writing into its pair.
std::vector<std::string> GetValuesLines(int type, const std::function<void(ResourcePair&)>& write) {
  DialogHarness h;
  h.pos.on_pairs = [&](ResourcePair* pairs, std::int32_t) { write(pairs[0]); };
  h.Run(res::kIdIoctl, [&](ui::ScriptedDialog& d) {
    d.Type(res::kIdHandle, "2");
    d.Select(res::kIdRequest, kGetValues);
    AddRow(d, 0, type, "");
    d.Press(res::kIdOk);
  });
  return h.port.LogLines();
}

TEST(IoctlDialog, SecondEchoShowsWhatTheLibraryWrote) {
  struct Case {
    int type;  // 0 Hex, 1 Dec, 2 String
    std::function<void(ResourcePair&)> write;
    std::string line;
  } cases[] = {
      {0, [](ResourcePair& p) { p.value = static_cast<std::uintptr_t>(std::intptr_t{-5}); },
       "               (0xFFFFFFFB)  "},
      {1, [](ResourcePair& p) { p.value = static_cast<std::uintptr_t>(std::intptr_t{-5}); },
       "               (-5)  "},
      {1, [](ResourcePair& p) { p.value = 0x7FFFFFFF; }, "               (2147483647)  "},
      {2, [](ResourcePair& p) { std::memset(reinterpret_cast<char*>(p.value), 'z', 100); },
       "  " + std::string(100, 'z') + "    "},
      // The library answers with the address of a text of its own.
      {2, [](ResourcePair& p) { p.value = reinterpret_cast<std::uintptr_t>(kLibraryText); },
       "  TEXT OF THE LIBRARY    "},
      {2, [](ResourcePair& p) { p.value = 0; }, "      "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const std::vector<std::string> lines = GetValuesLines(c.type, c.write);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], "     1: Timeout   ");
    EXPECT_EQ(lines[4], c.line);
  }
}

// Addresses a faulty library may leave in a pair, in its name or in a string
// value: the echo reads them without trusting them and shows an address that
// cannot be read as such; the program stays up.
TEST(IoctlDialog, SecondEchoSurvivesAnyAddress) {
  static const std::string long_text(10000, 'L');
  const auto address = [](std::uintptr_t a) { return reinterpret_cast<const char*>(a); };
  struct Case {
    const char* label;
    int type;  // 0 Hex, 2 String
    std::function<void(ResourcePair&)> write;
    std::string name_line;
    std::string value_line;
  } cases[] = {
      {"name at address 1", 0, [&](ResourcePair& p) { p.name = address(1); },
       "     1: (unreadable 0x00000001)   ", "               (0xFFFFFFFF)  "},
      {"name at the top of the address space", 0,
       [&](ResourcePair& p) { p.name = address(~std::uintptr_t{0} - 3); },
       sizeof(std::uintptr_t) == 8 ? "     1: (unreadable 0xFFFFFFFFFFFFFFFC)   "
                                   : "     1: (unreadable 0xFFFFFFFC)   ",
       "               (0xFFFFFFFF)  "},
      {"null name", 0, [](ResourcePair& p) { p.name = nullptr; },
       "     1:    ", "               (0xFFFFFFFF)  "},
      {"a name without end is cut", 0, [](ResourcePair& p) { p.name = long_text.c_str(); },
       "     1: " + std::string(4096, 'L') + "   ", "               (0xFFFFFFFF)  "},
      {"string value at address 1", 2, [](ResourcePair& p) { p.value = 1; }, "     1: Timeout   ",
       "  (unreadable 0x00000001)    "},
      {"string value at address 0xDEADBEEF", 2, [](ResourcePair& p) { p.value = 0xDEADBEEF; },
       "     1: Timeout   ", "  (unreadable 0xDEADBEEF)    "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::vector<std::string> lines = GetValuesLines(c.type, c.write);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], c.name_line);
    EXPECT_EQ(lines[4], c.value_line);
  }
}

TEST(IoctlDialog, ChecksBeforeTheCallKeepTheRows) {
  DialogHarness h;
  h.Run(res::kIdIoctl, [](ui::ScriptedDialog& d) {
    d.Press(res::kIdAddResource);
    d.Press(res::kIdOk);
    d.Type(res::kIdHandle, "x");
    d.Press(res::kIdOk);
    d.Type(res::kIdHandle, "2");
    d.Select(res::kIdRequest, kClearScreen);
    d.Type(res::kIdArgCount, "1x");
    d.Press(res::kIdOk);
    d.Type(res::kIdArgCount, "21");
    d.Press(res::kIdOk);
    EXPECT_EQ(d.Items(res::kIdResourceList), std::vector<std::string>{"PosAVolume"});
  });
  const std::string multiple = "  --> Multiple matches for: 'CLEAR SCREEN'  ";
  EXPECT_EQ(
      h.entries(),
      (std::vector<Entry>{Box("Missing Handle number", "Handle Error "),
                          Box("Non numeric Handle : x ", "Handle Error "), LogLine(multiple),
                          Box("Non Numeric Argument : 1x ", "Argument Error "), LogLine(multiple),
                          Box("Too many Arguments : 21 (at most 20) ", "Argument Error ")}));
  EXPECT_EQ(h.args.row_count(), 1u);
  EXPECT_EQ(h.port.unfinished_dialogs(), 1);
}

TEST(IoctlDialog, TypedCountDecidesAndEachCallResets) {
  DialogHarness h;
  h.Run(res::kIdIoctl, [](ui::ScriptedDialog& d) {
    d.Type(res::kIdHandle, "4");
    d.Select(res::kIdRequest, kOpenTill);
    for (const char* value : {"1", "2", "3"}) AddRow(d, 0, 1, value);
    EXPECT_EQ(d.Text(res::kIdArgCount), "3");
    d.Type(res::kIdArgCount, "1");
    d.Press(res::kIdOk);
    d.Select(res::kIdRequest, kGetValuesLower);
    d.Press(res::kIdOk);
    EXPECT_FALSE(d.ended());
    d.Press(res::kIdCancel);
    EXPECT_TRUE(d.ended());
  });
  EXPECT_EQ(h.port.LogLines(),
            (std::vector<std::string>{"Command-->  PosIoctl(4, POS_TILL_OPEN_TILL, [..], 1)",
                                      "     1: PulseWidth   ", "               (1)  ",
                                      "Command-->  PosIoctl(4, pos_sys_get_values, [..], 0)"}));
  EXPECT_EQ(h.port.Boxes(), (std::vector<Entry>(2, Box("PosIoctl Successful.", "POS Ioctl"))));
  ASSERT_EQ(h.pos.calls.size(), 2u);
  EXPECT_EQ(h.pos.calls[0].pairs.size(), 1u);
  EXPECT_EQ(h.pos.calls[1].numbers, (std::vector<std::int32_t>{4, 302, 0}));
  EXPECT_EQ(h.port.unfinished_dialogs(), 0);
}

}  // namespace
}  // namespace dialogs::testing
