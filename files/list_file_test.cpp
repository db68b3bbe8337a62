#include "files/list_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/test_dir.h"
#include "ui/dialog_model.h"
#include "ui/scripted/scripted_port.h"

namespace files {
namespace {

using Items = std::vector<std::string>;
using namespace std::string_literals;

const std::string k78(78, 'n');

struct LoadCase {
  const char* label;
  std::string bytes;
  Items entries;
};

const LoadCase kLoadCases[] = {
    {"CR LF lines, an empty one kept",
     "PosAlarm\r\n\r\nPosDisplay\r\n",
     {"PosAlarm", "", "PosDisplay"}},
    {"LF lines", "PosAlarm\nPosDisplay\n", {"PosAlarm", "PosDisplay"}},
    {"mixed line ends", "a\r\nb\nc\r\n", {"a", "b", "c"}},
    {"last line without line end is not read", "PosAlarm\r\nPosMsr", {"PosAlarm"}},
    {"a single line without line end", "PosMsr", {}},
    {"empty file", "", {}},
    {"0x1A ends the text",
     "a\r\n\x1A"
     "b\r\n",
     {"a"}},
    {"0x1A inside a line",
     "a\r\nb\x1A"
     "c\r\nd\r\n",
     {"a"}},
    {"blanks are kept", "  Pos Name  \r\n\t\r\n", {"  Pos Name  ", "\t"}},
    {"a lone CR stays in the entry", "a\rb\n\r\r\n", {"a\rb", "\r"}},
    {"78 characters with CR LF", k78 + "\r\n", {k78}},
    {"78 characters with LF", k78 + "\n", {k78}},
    {"79 characters are cut to 78", k78 + "x\r\nnext\r\n", {k78, "next"}},
    {"long lines are cut, the rest is read",
     std::string(500, 'L') + "\r\nnext\r\n" + k78 + "\r\r\n",
     {std::string(78, 'L'), "next", k78}},
    {"a zero byte ends an entry", "ab\0cd\r\nx\r\n"s, {"ab", "x"}},
    {"order is kept", "zeta\r\nalpha\r\nmid\r\n", {"zeta", "alpha", "mid"}},
};

TEST(LoadListFile, LineRules) {
  for (const LoadCase& c : kLoadCases) {
    SCOPED_TRACE(c.label);
    TestDir dir;
    ui::ScriptedPort port;
    ui::DialogModel dialog(res::DispPosOpen());
    EXPECT_EQ(
        LoadListFile(port, dir.Write("LIST.DAT", c.bytes).c_str(), dialog, res::kIdDeviceClass), 0);
    EXPECT_EQ(dialog.Find(res::kIdDeviceClass)->items, c.entries);
    EXPECT_TRUE(port.entries().empty());
  }
}

// Entries are added behind what the box holds; nothing is selected.
TEST(LoadListFile, AppendsWithoutSelecting) {
  TestDir dir;
  ui::ScriptedPort port;
  ui::DialogModel dialog(res::DispPosOpen());
  dialog.AddString(res::kIdDeviceClass, "old");
  LoadListFile(port, dir.Write("L.DAT", "new\r\n").c_str(), dialog, res::kIdDeviceClass);
  EXPECT_EQ(dialog.Find(res::kIdDeviceClass)->items, (Items{"old", "new"}));
  EXPECT_EQ(dialog.Find(res::kIdDeviceClass)->selection, -1);
}

TEST(LoadListFile, MissingFileIsLoggedAndLeavesTheBox) {
  TestDir dir;
  const std::string long_name = dir.Path(std::string(200, 'd') + "/" + std::string(200, 'f'));
  for (const std::string& path : {std::string("PNOSUCH.DAT"), long_name}) {
    ui::ScriptedPort port;
    ui::DialogModel dialog(res::DispPosOpen());
    dialog.AddString(res::kIdDeviceClass, "kept");
    EXPECT_EQ(LoadListFile(port, path.c_str(), dialog, res::kIdDeviceClass), 1);
    EXPECT_EQ(port.LogLines(), Items{" File : " + path + " is not found."});
    EXPECT_TRUE(port.Boxes().empty());
    EXPECT_EQ(dialog.Find(res::kIdDeviceClass)->items, Items{"kept"});
  }
}

}  // namespace
}  // namespace files
