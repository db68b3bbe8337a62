#include <gtest/gtest.h>

#include <cstring>

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
    Request request;
    std::vector<std::string> log;
  } cases[] = {
      {kClearScreen,
       {"  --> Multiple matches for: 'CLEAR SCREEN'  ",
        "Command-->  PosIoctl(1, CLEAR SCREEN, [..], 1)", "     1: Volume   ",
        "               (0xFFFFFFFF)  ",
        "  --> No request sent: 'CLEAR SCREEN' names no single request  "}},
      {kBlanks,
       {"Command-->  PosIoctl(1,  _ , [..], 1)", "     1: Volume   ",
        "               (0xFFFFFFFF)  ", "  --> No request sent: ' _ ' names no single request  "}},
  };
  for (const Case& c : cases) {
    DialogHarness h;
    h.Run(res::kIdIoctl, [&](ui::ScriptedDialog& d) {
      d.Type(res::kIdHandle, "1");
      d.Press(res::kIdAddResource);
      d.Select(res::kIdRequest, c.request);
      d.Press(res::kIdOk);
      EXPECT_EQ(d.Text(res::kIdArgCount), "0");
    });
    EXPECT_EQ(h.port.LogLines(), c.log);
    EXPECT_TRUE(h.port.Boxes().empty());
    EXPECT_TRUE(h.pos.calls.empty());
    EXPECT_EQ(h.args.row_count(), 0u);
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
  ASSERT_EQ(h.pos.calls.size(), 2u);
  EXPECT_EQ(h.pos.calls[0].pairs.size(), 1u);
  EXPECT_EQ(h.pos.calls[1].numbers, (std::vector<std::int32_t>{4, 302, 0}));
  EXPECT_EQ(h.port.unfinished_dialogs(), 0);
}

}  // namespace
}  // namespace dialogs::testing
