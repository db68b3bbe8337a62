#include "dialogs/resource_args.h"

#include <gtest/gtest.h>

#include "dialogs/test_support.h"
#include "port/dialog_model.h"
#include "resources/templates.h"

namespace dialogs {
namespace {

using testing::Box;
using testing::Entry;
using testing::LogLine;

enum Type { kHex = 0, kDec = 1, kString = 2 };

// The editor of a freshly opened dialog, without running a dialog loop.
struct Editor {
  ui::ScriptedPort port;
  ui::DialogModel dialog{res::DispPosOpen()};
  ResourceArgList list;

  Editor() { PrepareResourceArgs(dialog, list); }

  void Add(std::string_view name, Type type, std::string_view value) {
    dialog.SetText(res::kIdArgResource, name);
    dialog.SetCurSel(res::kIdArgType, type);
    dialog.SetText(res::kIdArgValue, value);
    AddResourceArg(port, dialog, list);
  }
  std::vector<std::string> Echo(std::int32_t count) {
    BuildResourcePairs(list, count);
    port.Clear();
    EchoResourcePairs(port, list, count);
    return port.LogLines();
  }
};

TEST(ResourceArgs, PrepareOffersTheThreeTypesWithHexSelected) {
  Editor e;
  EXPECT_EQ(e.dialog.Find(res::kIdArgType)->items,
            (std::vector<std::string>{"Hex         ", "Dec         ", "String      "}));
  EXPECT_EQ(e.dialog.GetText(res::kIdArgType), "Hex         ");
  EXPECT_EQ(e.dialog.Find(res::kIdResourceList)->horizontal_extent, 300);
}

TEST(ResourceArgs, ValuesAreConvertedOrRefused) {
  struct Case {
    Type type;
    const char* value;
    const char* echo;  // second echo line, or nullptr when refused
    const char* box;
  } cases[] = {
      {kHex, "ff", "               (0xFF)  ", nullptr},
      {kHex, "FFFFFFFF", "               (0xFFFFFFFF)  ", nullptr},
      {kHex, "", "               (0xFFFFFFFF)  ", nullptr},
      {kHex, "0x10", nullptr, "Non Hexadecimal Argument : 0x10 "},
      {kHex, "100000000", nullptr, "Non Hexadecimal Argument : 100000000 "},
      {kDec, "123", "               (123)  ", nullptr},
      {kDec, "", "               (-1)  ", nullptr},
      {kDec, "4294967295", "               (-1)  ", nullptr},
      {kDec, "-5", nullptr, "Non decimal Argument : -5 "},
      {kDec, "4294967296", nullptr, "Non decimal Argument : 4294967296 "},
      {kDec, "1a", nullptr, "Non decimal Argument : 1a "},
      {kString, "", "      ", nullptr},
      {kString, "hello world", "  hello world    ", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    Editor e;
    e.dialog.SetText(res::kIdArgCount, "7");
    e.Add("PosXName", c.type, c.value);
    if (c.box) {
      EXPECT_EQ(e.port.entries(), (std::vector<Entry>{Box(c.box, "Argument Error ")}));
      EXPECT_EQ(e.list.row_count(), 0u);
      EXPECT_EQ(e.list.row(0).type, 0);
      EXPECT_EQ(e.dialog.GetText(res::kIdArgCount), "7");
      EXPECT_TRUE(e.dialog.Find(res::kIdResourceList)->items.empty());
    } else {
      EXPECT_EQ(e.dialog.GetText(res::kIdArgCount), "1");
      EXPECT_EQ(e.dialog.Find(res::kIdResourceList)->items, std::vector<std::string>{"PosXName"});
      EXPECT_EQ(e.Echo(1), (std::vector<std::string>{"     1: Name   ", c.echo}));
    }
  }
}

TEST(ResourceArgs, PairNamesDropTheFourCharacterPrefix) {
  const std::pair<const char*, const char*> cases[] = {{"PosNDIWidth", "diWidth"},
                                                       {"ABCDxyz", "xyz"},
                                                       {"abc", ""},
                                                       {"ABCD", ""},
                                                       {"posnDIWidth", "DIWidth"}};
  for (const auto& [row, pair] : cases) {
    Editor e;
    e.Add(row, kDec, "1");
    BuildResourcePairs(e.list, 1);
    EXPECT_STREQ(e.list.pair(0).name, pair) << row;
  }
}

TEST(ResourceArgs, StringPairsPointAtTheListsOwnCopy) {
  Editor e;
  e.Add("PosSText", kString, "abc");
  e.Add("PosSRoom", kString, "");
  BuildResourcePairs(e.list, 2);
  EXPECT_STREQ(reinterpret_cast<const char*>(e.list.pair(0).value), "abc");
  EXPECT_EQ(e.list.row(1).text.size(), kEmptyStringRoom);
  EXPECT_EQ(e.list.pair(1).value, reinterpret_cast<std::uintptr_t>(e.list.row(1).text.data()));
  e.list.Reset();
  EXPECT_TRUE(e.list.row(0).text.empty());
  EXPECT_EQ(e.list.pair(0).name, nullptr);
}

TEST(ResourceArgs, CountBeyondTheRowsGivesEmptyPairsWithoutSecondLine) {
  Editor e;
  e.Add("PosNOne", kHex, "1");
  EXPECT_EQ(e.Echo(3), (std::vector<std::string>{"     1: One   ", "               (0x1)  ",
                                                 "     2:    ", "     3:    "}));
  EXPECT_EQ(e.list.pair(2).value, 0u);
}

// A window handle may use more than 32 bits on a 64-bit system (also where a
// long is 32 bits): its echo shows all of it; a number row shows 32 bits.
TEST(ResourceArgs, TheWindowHandleIsEchoedWhole) {
  if constexpr (sizeof(std::uintptr_t) < 8) GTEST_SKIP() << "32-bit handles";
  const auto handle = static_cast<std::uintptr_t>(std::uint64_t{0x1234} << 32 | 0x89ABCDEF);
  Editor e;
  e.Add("PosNOne", kHex, "1");
  BuildResourcePairs(e.list, 1);
  e.list.pair(0) = ResourcePair{kQueueHandleName, handle};
  e.port.Clear();
  EchoResourcePairs(e.port, e.list, 1);
  EXPECT_EQ(e.port.LogLines(), (std::vector<std::string>{"     1: queueHandle   ",
                                                         "               (0x123489ABCDEF)  "}));
  e.list.pair(0) = ResourcePair{"One", handle};
  e.port.Clear();
  EchoResourcePairs(e.port, e.list, 1);
  EXPECT_EQ(e.port.LogLines().at(1), "               (0x89ABCDEF)  ");
}

TEST(ResourceArgs, AddingReplacesATypedCount) {
  Editor e;
  e.Add("PosNOne", kHex, "1");
  e.dialog.SetText(res::kIdArgCount, "5");
  e.Add("PosNTwo", kHex, "2");
  EXPECT_EQ(e.dialog.GetText(res::kIdArgCount), "2");
}

TEST(ResourceArgs, ArgumentCountField) {
  struct Case {
    const char* text;
    std::int32_t max;
    bool ok;
    std::int32_t count;
    bool given;
    const char* box;
  } cases[] = {
      {"", 20, true, 0, false, nullptr},
      {"0", 20, true, 0, true, nullptr},
      {"20", 20, true, 20, true, nullptr},
      {"007", 20, true, 7, true, nullptr},
      {" 2", 20, false, 0, false, "Non Numeric Argument :  2 "},
      {"-1", 20, false, 0, false, "Non Numeric Argument : -1 "},
      {"21", 20, false, 0, false, "Too many Arguments : 21 (at most 20) "},
      {"20", 19, false, 0, false, "Too many Arguments : 20 (at most 19) "},
      {"99999999999", 20, false, 0, false, "Too many Arguments : 99999999999 (at most 20) "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Editor e;
    e.dialog.SetText(res::kIdArgCount, c.text);
    const std::optional<ArgumentCount> count = ReadArgumentCount(e.port, e.dialog, c.max);
    ASSERT_EQ(count.has_value(), c.ok);
    if (c.ok) {
      EXPECT_EQ(count->count, c.count);
      EXPECT_EQ(count->given, c.given);
      EXPECT_TRUE(e.port.entries().empty());
    } else {
      EXPECT_EQ(e.port.entries(), (std::vector<Entry>{Box(c.box, "Argument Error ")}));
    }
  }
}

TEST(ResourceArgs, TableAndNameLimitsAreRefused) {
  Editor e;
  for (std::size_t i = 0; i < kMaxRows; ++i) e.Add("PosNName", kDec, "1");
  ASSERT_TRUE(e.port.entries().empty());
  e.Add("PosNName", kString, "x");
  EXPECT_EQ(e.port.Boxes(),
            (std::vector<Entry>{
                Box("Resources List is full : at most 100 resources ", "Argument Error ")}));
  EXPECT_EQ(e.list.row_count(), kMaxRows);

  Editor n;
  n.Add(std::string(kMaxNameLength, 'n'), kHex, "1");
  EXPECT_EQ(n.list.row_count(), 1u);
  const std::string too_long(kMaxNameLength + 1, 'n');
  n.Add(too_long, kHex, "1");
  EXPECT_EQ(n.port.Boxes(),
            (std::vector<Entry>{Box("Resource name longer than 102 characters : " + too_long + " ",
                                    "Argument Error ")}));
  EXPECT_EQ(n.list.row_count(), 1u);
}

TEST(ResourceArgs, ClearEmptiesListTableAndCount) {
  Editor e;
  e.Add("PosNOne", kString, "abc");
  ClearResourceArgs(e.dialog, e.list);
  EXPECT_TRUE(e.dialog.Find(res::kIdResourceList)->items.empty());
  EXPECT_EQ(e.dialog.GetText(res::kIdArgCount), "0");
  EXPECT_EQ(e.list.row_count(), 0u);
  EXPECT_EQ(e.list.row(0).type, 0);
}

}  // namespace
}  // namespace dialogs
