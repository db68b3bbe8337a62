#include "files/list_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "files/test_dir.h"
#include "port/dialog_model.h"
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
    {"binary bytes are entries as they are",
     "\x01\x02\xFF\r\n\x1B[31mred\x1B]0;title\x07\r\n\x7F\x80\n"s,
     {"\x01\x02\xFF", "\x1B[31mred\x1B]0;title\x07", "\x7F\x80"}},
    {"no line end at all", std::string(10000, 'x'), {}},
    {"10,000-character lines",
     std::string(10000, 'a') + "\r\n" + std::string(10000, 'b') + "\n",
     {std::string(78, 'a'), std::string(78, 'b')}},
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

// The reader never takes more bytes than it is allowed, and says when there
// were more (a file that grew while it was read).
TEST(ReadListEntries, StopsAtItsBudget) {
  struct Case {
    std::int64_t budget;
    Items entries;
    bool whole;
  };
  const Case cases[] = {
      {6, {"a", "b", "c"}, true},
      {100, {"a", "b", "c"}, true},
      {5, {"a", "b"}, false},
      {4, {"a", "b"}, false},
      {0, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.budget);
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fputs("a\nb\nc\n", file);
    std::rewind(file);
    Items entries;
    EXPECT_EQ(ReadListEntries(file, c.budget, [&](const std::string& e) { entries.push_back(e); }),
              c.whole);
    std::fclose(file);
    EXPECT_EQ(entries, c.entries);
  }
}

// A file of exactly the largest size is read; one byte more is refused.
TEST(LoadListFile, LargestSizeIsReadOneMoreIsRefused) {
  TestDir dir;
  std::string bytes;
  while (bytes.size() + 80 <= static_cast<std::size_t>(kMaxListFileBytes)) bytes += k78 + "\r\n";
  bytes += std::string(static_cast<std::size_t>(kMaxListFileBytes) - bytes.size() - 1, 'z') + "\n";
  ASSERT_EQ(bytes.size(), static_cast<std::size_t>(kMaxListFileBytes));
  for (const bool one_more : {false, true}) {
    SCOPED_TRACE(one_more);
    const std::string path = dir.Write("BIG.DAT", one_more ? bytes + "\n" : bytes);
    ui::ScriptedPort port;
    ui::DialogModel dialog(res::DispPosOpen());
    EXPECT_EQ(LoadListFile(port, path.c_str(), dialog, res::kIdDeviceClass), one_more ? 1 : 0);
    if (one_more) {
      EXPECT_EQ(port.LogLines(),
                Items{" File : " + path + " is larger than 1048576 bytes; not read."});
      EXPECT_TRUE(dialog.Find(res::kIdDeviceClass)->items.empty());
    } else {
      EXPECT_TRUE(port.LogLines().empty());
      EXPECT_EQ(dialog.Find(res::kIdDeviceClass)->items.size(), bytes.size() / 80 + 1);
    }
  }
}

#ifndef _WIN32
// Files that are no list of names are refused with a line, at once: a FIFO
// without a writer, one that never ends, an endless device, a directory, a
// file of gigabytes. The box keeps what it held.
TEST(LoadListFile, FilesThatAreNoListAreRefusedAtOnce) {
  TestDir dir;
  const std::string quiet = dir.Path("QUIET.DAT");
  const std::string endless = dir.Path("ENDLESS.DAT");
  ASSERT_EQ(mkfifo(quiet.c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(endless.c_str(), 0600), 0);
  // A writer that has filled the pipe and would go on for ever.
  const int writer = open(endless.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  while (write(writer, "PosName\r\n", 9) == 9) {
  }
  const std::string folder = dir.Path("FOLDER.DAT");
  std::filesystem::create_directories(folder);
  const std::string huge = dir.Write("HUGE.DAT", "");
  std::filesystem::resize_file(huge, std::uintmax_t{4} << 30);  // sparse: takes no room
  const std::string not_regular = " is not a regular file; not read.";
  const struct {
    std::string path;
    std::string line;
  } cases[] = {
      {quiet, " File : " + quiet + not_regular},
      {endless, " File : " + endless + not_regular},
      {"/dev/zero", " File : /dev/zero" + not_regular},
      {folder, " File : " + folder + not_regular},
      {huge, " File : " + huge + " is larger than 1048576 bytes; not read."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    ui::ScriptedPort port;
    ui::DialogModel dialog(res::DispPosOpen());
    dialog.AddString(res::kIdDeviceClass, "kept");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(LoadListFile(port, c.path.c_str(), dialog, res::kIdDeviceClass), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(port.LogLines(), Items{c.line});
    EXPECT_EQ(dialog.Find(res::kIdDeviceClass)->items, Items{"kept"});
  }
  close(writer);
}
#endif

}  // namespace
}  // namespace files
