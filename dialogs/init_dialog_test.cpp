#include <gtest/gtest.h>

#include <filesystem>
#include <variant>

#include "dialogs/test_support.h"
#include "resources/templates.h"

namespace dialogs::testing {
namespace {

// A pair as the call receives it: its name and its number, or for a string
// row the text its value points at.
struct ExpectedPair {
  std::string name;
  std::variant<std::uintptr_t, std::string> value;
};
using Pairs = std::vector<ExpectedPair>;
constexpr std::uintptr_t kWindow = ui::ScriptedPort::kMainWindow;

TEST(InitDialog, OpensWithDefaultsAndRowZero) {
  DialogHarness h;
  h.Run(res::kIdInitialize, [](ui::ScriptedDialog& d) {
    EXPECT_EQ(d.Text(res::kIdAppName), "RIDOZOD");
    EXPECT_EQ(d.Text(res::kIdResourceFile), "C:\\KLOB");
    EXPECT_EQ(d.Text(res::kIdArgCount), "1");
    EXPECT_EQ(d.Items(res::kIdArgResource), kSystemNames);
    EXPECT_EQ(d.Text(res::kIdArgResource), "PosSTimeout");
    EXPECT_EQ(d.Items(res::kIdResourceList), std::vector<std::string>{"PosSTimeout"});
    EXPECT_EQ(d.Text(res::kIdArgType), "Hex         ");
  });
  EXPECT_EQ(h.args.row_count(), 1u);
  EXPECT_EQ(h.args.row(0).type, kTagHex);
  EXPECT_EQ(h.args.row(0).value, kNoValue);
}

TEST(InitDialog, OkPassesQueueHandleFirst) {
  const std::string echo = "Command-->  PosInitialize(RIDOZOD, C:\\KLOB, 0, 0, [], ";
  struct Case {
    const char* name;
    std::function<void(ui::ScriptedDialog&)> edit;
    std::vector<std::string> log;
    Pairs pairs;
  } cases[] = {
      {"at once",
       [](ui::ScriptedDialog&) {},
       {echo + "1)", "     1: queueHandle   ", "               (0x10046)  "},
       {{"queueHandle", kWindow}}},
      {"count 0", [](ui::ScriptedDialog& d) { d.Type(res::kIdArgCount, "0"); }, {echo + "0)"}, {}},
      {"count empty",
       [](ui::ScriptedDialog& d) { d.Type(res::kIdArgCount, ""); },
       {echo + "0)"},
       {}},
      {"empty application name",
       [](ui::ScriptedDialog& d) {
         d.Type(res::kIdAppName, "");
         d.Type(res::kIdArgCount, "0");
       },
       {"Command-->  PosInitialize(, C:\\KLOB, 0, 0, [], 0)"},
       {}},
      {"rows added, count 3",
       [](ui::ScriptedDialog& d) {
         d.Select(res::kIdArgResource, 1);
         d.Select(res::kIdArgType, 1);
         d.Type(res::kIdArgValue, "5");
         d.Press(res::kIdAddResource);
         d.Select(res::kIdArgType, 2);
         d.Type(res::kIdArgValue, "abc");
         d.Press(res::kIdAddResource);
       },
       {echo + "3)", "     1: queueHandle   ", "               (0x10046)  ",
        "     2: DeviceName   ", "               (5)  ", "     3: DeviceName   ", "  abc    "},
       {{"queueHandle", kWindow}, {"DeviceName", 5u}, {"DeviceName", "abc"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DialogHarness h;
    for (const ExpectedPair& p : c.pairs)
      h.pos.string_pairs.push_back(std::holds_alternative<std::string>(p.value));
    h.Run(res::kIdInitialize, [&](ui::ScriptedDialog& d) {
      c.edit(d);
      d.Press(res::kIdOk);
      EXPECT_TRUE(d.ended());
    });
    std::vector<std::string> log = c.log;
    EXPECT_EQ(h.port.LogLines(), log);
    EXPECT_EQ(h.port.Boxes(),
              (std::vector<Entry>{Box("Initialize Successful.", "POS Initialize")}));
    ASSERT_EQ(h.pos.calls.size(), 1u);
    const RecordedCall& call = h.pos.calls[0];
    EXPECT_EQ(call.texts[1], "C:\\KLOB");
    EXPECT_EQ(call.numbers[0], 0);
    EXPECT_EQ(call.numbers[1], 0);
    ASSERT_EQ(call.pairs.size(), c.pairs.size());
    for (std::size_t i = 0; i < c.pairs.size(); ++i) {
      EXPECT_EQ(call.pairs[i].first, c.pairs[i].name);
      if (const std::string* text = std::get_if<std::string>(&c.pairs[i].value))
        EXPECT_EQ(call.pair_texts[i], *text);
      else
        EXPECT_EQ(call.pairs[i].second, std::get<std::uintptr_t>(c.pairs[i].value));
    }
    EXPECT_STREQ(h.args.pair(0).name, "queueHandle");
  }
}

TEST(InitDialog, FailureIsReportedAndEndsTheDialog) {
  DialogHarness h;
  h.pos.Will(-1, 304);
  h.Run(res::kIdInitialize, [](ui::ScriptedDialog& d) {
    d.Type(res::kIdArgCount, "0");
    d.Press(res::kIdOk);
    EXPECT_TRUE(d.ended());
  });
  const std::string rc = "  RC = -1, errno = (304) POSERR_SYS_ALREADY_INITIALIZED  ";
  EXPECT_EQ(h.entries(), (std::vector<Entry>{
                             LogLine("Command-->  PosInitialize(RIDOZOD, C:\\KLOB, 0, 0, [], 0)"),
                             LogLine(rc), Box(rc, "Command Status")}));
}

TEST(InitDialog, StaysOpenForBadCountAndDeviceOnlineCommand) {
  DialogHarness h;
  h.Run(res::kIdInitialize, [](ui::ScriptedDialog& d) {
    d.Type(res::kIdArgCount, "x");
    d.Press(res::kIdOk);
    d.Command(0x420D);
    d.Type(res::kIdArgCount, "21");
    d.Press(res::kIdOk);
    EXPECT_FALSE(d.ended());
    d.Press(res::kIdCancel);
    EXPECT_TRUE(d.ended());
  });
  EXPECT_EQ(h.entries(),
            (std::vector<Entry>{Box("Non Numeric Argument : x ", "Argument Error "),
                                LogLine("Message from DEVICE ON LINE"),
                                Box("Too many Arguments : 21 (at most 20) ", "Argument Error ")}));
  EXPECT_TRUE(h.pos.calls.empty());
}

TEST(InitDialog, MissingSystemListStillPassesQueueHandle) {
  DialogHarness h;
  std::filesystem::remove("PSYSTEM.DAT");
  h.Run(res::kIdInitialize, [](ui::ScriptedDialog& d) { d.Press(res::kIdOk); });
  ASSERT_GE(h.port.LogLines().size(), 2u);
  EXPECT_EQ(h.port.LogLines()[0], " File : PSYSTEM.DAT is not found.");
  ASSERT_EQ(h.pos.calls.size(), 1u);
  EXPECT_EQ(h.pos.calls[0].pairs,
            (std::vector<std::pair<std::string, std::uintptr_t>>{{"queueHandle", kWindow}}));
}

}  // namespace
}  // namespace dialogs::testing
