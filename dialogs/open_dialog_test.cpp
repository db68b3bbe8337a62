#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "dialogs/test_support.h"
#include "resources/templates.h"

namespace dialogs::testing {
namespace {

using Pairs = std::vector<std::pair<std::string, std::uintptr_t>>;
constexpr std::uintptr_t kWindow = ui::ScriptedPort::kMainWindow;

TEST(OpenDialog, OkPassesTheUserPairsThenQueueHandle) {
  struct Case {
    const char* name;
    std::function<void(ui::ScriptedDialog&)> edit;
    std::string device, device_class;
    std::vector<std::string> echo;
    Pairs pairs;
  } cases[] = {
      {"at once",
       [](ui::ScriptedDialog&) {},
       "DEVNAME",
       "PosDisplay",
       {"Command-->  PosOpen(DEVNAME, PosDisplay, [], 0)"},
       {{"queueHandle", kWindow}}},
      {"empty device name",
       [](ui::ScriptedDialog& d) { d.Type(res::kIdDeviceName, ""); },
       "DEVNAME",
       "PosDisplay",
       {"Command-->  PosOpen(DEVNAME, PosDisplay, [], 0)"},
       {{"queueHandle", kWindow}}},
      {"two rows",
       [](ui::ScriptedDialog& d) {
         d.Type(res::kIdDeviceName, "SCAN1");
         d.Select(res::kIdDeviceClass, 1);
         d.Type(res::kIdArgValue, "1f");
         d.Press(res::kIdAddResource);
         d.Select(res::kIdArgResource, 1);
         d.Press(res::kIdAddResource);
       },
       "SCAN1",
       "PosScanner",
       {"Command-->  PosOpen(SCAN1, PosScanner, [], 2)", "     1: BeepVolume   ",
        "               (0x1F)  ", "     2: LaserTimeout   ", "               (0x1F)  "},
       {{"BeepVolume", 0x1F}, {"LaserTimeout", 0x1F}, {"queueHandle", kWindow}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DialogHarness h;
    h.Run(res::kIdOpen, [&](ui::ScriptedDialog& d) {
      c.edit(d);
      d.Press(res::kIdOk);
      EXPECT_TRUE(d.ended());
    });
    const std::string opened = "  Handle :  3  Device Name :  " + c.device;
    std::vector<Entry> expected;
    for (const std::string& line : c.echo) expected.push_back(LogLine(line));
    expected.push_back(LogLine(opened));
    expected.push_back(Box(opened, "POS Open"));
    EXPECT_EQ(h.entries(), expected);
    ASSERT_EQ(h.pos.calls.size(), 1u);
    EXPECT_EQ(h.pos.calls[0].texts, (std::vector<std::string>{c.device, c.device_class}));
    EXPECT_EQ(h.pos.calls[0].pairs, c.pairs);
  }
}

TEST(OpenDialog, ClassAtOnceIsTheFirstListedOrPosDisplay) {
  struct Case {
    std::optional<std::vector<std::string>> classes;  // PRESOURC.DAT; none: no file
    std::string passed;
    std::vector<std::string> log;
  } cases[] = {
      {std::vector<std::string>{"PosScanner", "PosDisplay"},
       "PosScanner",
       {"Command-->  PosOpen(DEVNAME, PosScanner, [], 0)"}},
      {std::vector<std::string>{},
       "PosDisplay",
       {"Command-->  PosOpen(DEVNAME, PosDisplay, [], 0)"}},
      {std::nullopt,
       "PosDisplay",
       {" File : PRESOURC.DAT is not found.", "Command-->  PosOpen(DEVNAME, PosDisplay, [], 0)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.passed);
    DialogHarness h;
    if (c.classes) {
      h.dir.WriteList("PRESOURC.DAT", *c.classes);
    } else {
      std::filesystem::remove("PRESOURC.DAT");
    }
    h.Run(res::kIdOpen, [](ui::ScriptedDialog& d) {
      // Selecting the first class when the dialog opens reloads nothing.
      EXPECT_EQ(d.Items(res::kIdArgResource), kSystemNames);
      d.Press(res::kIdOk);
    });
    std::vector<std::string> log = c.log;
    log.push_back("  Handle :  3  Device Name :  DEVNAME");
    EXPECT_EQ(h.port.LogLines(), log);
    ASSERT_EQ(h.pos.calls.size(), 1u);
    EXPECT_EQ(h.pos.calls[0].texts, (std::vector<std::string>{"DEVNAME", c.passed}));
    EXPECT_EQ(h.pos.calls[0].pairs, (Pairs{{"queueHandle", kWindow}}));
  }
}

TEST(OpenDialog, ClassChoiceRefillsResourceNamesOnly) {
  DialogHarness h;
  h.Run(res::kIdOpen, [](ui::ScriptedDialog& d) {
    EXPECT_EQ(d.Items(res::kIdDeviceClass), kClassNames);
    EXPECT_EQ(d.Items(res::kIdArgResource), kSystemNames);
    d.Press(res::kIdAddResource);
    d.Select(res::kIdDeviceClass, 1);  // PosScanner
    EXPECT_EQ(d.Items(res::kIdArgResource),
              (std::vector<std::string>{"PosNBeepVolume", "PosNLaserTimeout"}));
    EXPECT_EQ(d.Text(res::kIdArgResource), "PosNBeepVolume");
    d.Select(res::kIdDeviceClass, 3);  // Unknown: no class name begins it
    EXPECT_EQ(d.Items(res::kIdArgResource),
              (std::vector<std::string>{"PosNBeepVolume", "PosNLaserTimeout"}));
    d.Select(res::kIdDeviceClass, 2);  // PosPrinterX
    EXPECT_EQ(d.Items(res::kIdArgResource), std::vector<std::string>{"PosNDIWidth"});
    EXPECT_EQ(d.Items(res::kIdResourceList), std::vector<std::string>{"PosSTimeout"});
    EXPECT_EQ(d.Text(res::kIdArgCount), "1");
  });
  EXPECT_EQ(h.args.row_count(), 1u);
}

// Rows that a cancelled dialog left behind are gone when the next one opens.
TEST(OpenDialog, StartsFromAnEmptyTable) {
  DialogHarness h;
  h.port.ExpectDialog([](ui::ScriptedDialog& d) {
    d.Select(res::kIdArgType, 2);
    d.Type(res::kIdArgValue, "left over");
    d.Press(res::kIdAddResource);
    d.Press(res::kIdAddResource);
    d.Press(res::kIdCancel);
  });
  RunCommandDialog(h.context, res::kIdIoctl);
  ASSERT_EQ(h.args.row_count(), 2u);
  h.Run(res::kIdOpen, [](ui::ScriptedDialog& d) {
    EXPECT_TRUE(d.Items(res::kIdResourceList).empty());
    d.Type(res::kIdArgCount, "2");
    d.Press(res::kIdOk);
  });
  EXPECT_EQ(h.port.LogLines(), (std::vector<std::string>{
                                   "Command-->  PosOpen(DEVNAME, PosDisplay, [], 2)", "     1:    ",
                                   "     2:    ", "  Handle :  3  Device Name :  DEVNAME"}));
  ASSERT_EQ(h.pos.calls.size(), 1u);
  EXPECT_EQ(h.pos.calls[0].pairs, (Pairs{{"", 0}, {"", 0}, {"queueHandle", kWindow}}));
}

TEST(OpenDialog, RefusedCountAndFailedOpen) {
  DialogHarness h;
  h.Run(res::kIdOpen, [](ui::ScriptedDialog& d) {
    d.Type(res::kIdArgCount, "20");
    d.Press(res::kIdOk);
    EXPECT_FALSE(d.ended());
    d.Type(res::kIdArgCount, "19");
    d.Press(res::kIdOk);
  });
  EXPECT_EQ(h.port.Boxes()[0], Box("Too many Arguments : 20 (at most 19) ", "Argument Error "));
  ASSERT_EQ(h.pos.calls.size(), 1u);
  EXPECT_EQ(h.pos.calls[0].numbers, std::vector<std::int32_t>{20});
  EXPECT_EQ(h.pos.calls[0].pairs.back(),
            (std::pair<std::string, std::uintptr_t>{"queueHandle", kWindow}));

  // A handle of 0 is no handle: the status report, as for a failure.
  const std::pair<std::int32_t, int> failures[] = {{0, 0}, {-1, 331}};
  const char* lines[] = {"  RC = 0, errno = (0) 0      (0x00000000)  ",
                         "  RC = -1, errno = (331) POSERR_SYS_INVALID_CLASS  "};
  for (std::size_t i = 0; i < 2; ++i) {
    DialogHarness f;
    f.pos.Will(failures[i].first, failures[i].second);
    f.Run(res::kIdOpen, [](ui::ScriptedDialog& d) { d.Press(res::kIdOk); });
    EXPECT_EQ(f.port.LogLines().back(), lines[i]);
    EXPECT_EQ(f.port.Boxes(), (std::vector<Entry>{Box(lines[i], "Command Status")}));
  }
}

}  // namespace
}  // namespace dialogs::testing
