#include "files/log_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "files/test_dir.h"
#include "os/program_folder.h"

namespace files {
namespace {

class VectorLines : public LogLines {
 public:
  explicit VectorLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  std::size_t Count() const override { return lines_.size(); }
  std::string_view Line(std::size_t index) const override { return lines_[index]; }

 private:
  std::vector<std::string> lines_;
};

// The key echo's line feed, an empty line, bytes no terminal should see raw.
const VectorLines kLog({"Command-->  PosClose(1)  ", "KeyDown ScanCode from KeyBoard = 1e \n", "",
                        std::string("\x1b]0;title\x07 \x80\xff\0end", 17)});
const std::string kLogBytes = std::string("Command-->  PosClose(1)  \r\n") +
                              "KeyDown ScanCode from KeyBoard = 1e \n\r\n" + "\r\n" +
                              std::string("\x1b]0;title\x07 \x80\xff\0end", 17) + "\r\n";

TEST(SaveLog, WritesEveryLineCrLfEndedOverAnOlderFile) {
  TestDir dir;
  const std::string path = dir.Write("log.txt", std::string(500, 'x'));
  EXPECT_EQ(SaveLog(path.c_str(), kLog), "");
  EXPECT_EQ(TestDir::Read(path), kLogBytes);
  EXPECT_EQ(SaveLog(path.c_str(), VectorLines({})), "");
  EXPECT_EQ(TestDir::Read(path), "");
}

TEST(SaveLog, AFileThatCannotBeWrittenIsNamedWithItsError) {
  TestDir dir;
  std::filesystem::create_directories(dir.Path("folder"));
  struct Case {
    std::string path;
    int error;
  };
  std::vector<Case> cases = {{dir.Path("folder"), EISDIR},
                             {dir.Path("no-such-folder/log.txt"), ENOENT}};
#ifndef _WIN32
  const std::string fifo = dir.Path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  cases.push_back({fifo, ENXIO});  // no reader: at once, without waiting
  if (std::filesystem::exists("/dev/full")) cases.push_back({"/dev/full", ENOSPC});
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(SaveLog(c.path.c_str(), kLog),
              "Cannot write the log to '" + c.path + "': " + std::strerror(c.error));
  }
}

TEST(LogFileName, DateAndTimeInTheNameInTheProgramFolder) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 0;
  t.tm_mday = 2;
  t.tm_hour = 3;
  t.tm_min = 4;
  t.tm_sec = 5;
  EXPECT_EQ(LogFileName(t), "ridozod-log-20260102-030405.txt");
  const std::string path = DefaultLogPath();
  const std::string folder = os::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  ASSERT_EQ(path.size(), folder.size() + LogFileName(t).size());
  EXPECT_EQ(path.substr(0, folder.size() + 12), folder + "ridozod-log-");
  EXPECT_EQ(path.substr(path.size() - 4), ".txt");
}

TEST(CopiedLogText, TheSelectedLineOrAllLinesCrLfBetween) {
  const struct {
    std::size_t selected;
    std::string text;
  } cases[] = {
      {1, "KeyDown ScanCode from KeyBoard = 1e \n"},
      {2, ""},
      {kNoLogSelection, kLogBytes.substr(0, kLogBytes.size() - 2)},
      {4, kLogBytes.substr(0, kLogBytes.size() - 2)},  // past the end: all
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selected);
    EXPECT_EQ(CopiedLogText(kLog, c.selected), c.text);
  }
  EXPECT_EQ(CopiedLogText(VectorLines({}), kNoLogSelection), "");
}

}  // namespace
}  // namespace files
