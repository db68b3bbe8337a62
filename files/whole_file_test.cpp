#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "files/test_dir.h"
#include "files/whole_file.h"
#include "ui/scripted/scripted_port.h"

namespace files {
namespace {

using Lines = std::vector<std::string>;

struct ReadCase {
  const char* label;
  std::size_t file_size;  // 0 with missing: no file at all
  bool missing;
  std::int32_t capacity;
  std::int32_t result;
  const char* line;  // %s stands for the path
};

const ReadCase kReadCases[] = {
    {"fills the buffer exactly", 8192, false, 8192, 8192, "RIDOZOD: Read 8192 bytes from '%s'"},
    {"smaller than the buffer", 12, false, 8192, 12, "RIDOZOD: Read 12 bytes from '%s'"},
    {"one byte too long", 8193, false, 8192, -1,
     "RIDOZOD: Buffer not big enough: have 8192 bytes, '%s' is 8193 bytes long\n"},
    {"no room at all", 1, false, 0, -1,
     "RIDOZOD: Buffer not big enough: have 0 bytes, '%s' is 1 bytes long\n"},
    {"empty file", 0, false, 8192, -1, "RIDOZOD: Error -1/0 on ftell of file '%s'"},
    {"missing file", 0, true, 8192, -1, "RIDOZOD: Error 2 on open of file '%s'"},
};

std::string WithPath(const char* format, const std::string& path) {
  std::string line = format;
  return line.replace(line.find("%s"), 2, path);
}

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + 1);
  return bytes;
}

TEST(ReadWholeFile, LimitsAndFailures) {
  for (const ReadCase& c : kReadCases) {
    SCOPED_TRACE(c.label);
    TestDir dir;
    const std::string bytes = Pattern(c.file_size);
    const std::string path = c.missing ? dir.Path("NOFILE.BIN") : dir.Write("IN.BIN", bytes);
    std::vector<unsigned char> buffer(8200, 0xEE);
    ui::ScriptedPort port;
    EXPECT_EQ(ReadWholeFile(port, path.c_str(), buffer.data(), c.capacity), c.result);
    EXPECT_EQ(port.LogLines(), Lines{WithPath(c.line, path)});
    EXPECT_TRUE(port.Boxes().empty());
    if (c.result > 0) {
      EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + c.result), bytes);
      EXPECT_EQ(buffer[c.result], 0xEE) << "nothing written past the data";
    } else {
      EXPECT_EQ(buffer[0], 0xEE) << "nothing read";
    }
  }
}

TEST(ReadWholeFile, NullBufferReadsNothing) {
  TestDir dir;
  const std::string path = dir.Write("IN.BIN", "abc");
  ui::ScriptedPort port;
  EXPECT_EQ(ReadWholeFile(port, path.c_str(), nullptr, 100), -1);
  EXPECT_EQ(port.LogLines().size(), 1u);
}

TEST(WriteWholeFile, WritesExactBytes) {
  TestDir dir;
  const std::string path = dir.Path("OUT.BIN");
  const std::string bytes("a\r\nb\n\x1A\0\xFF z\n\r", 12);
  ui::ScriptedPort port;
  EXPECT_EQ(
      WriteWholeFile(port, path.c_str(), reinterpret_cast<const unsigned char*>(bytes.data()), 12),
      12);
  EXPECT_EQ(port.LogLines(), Lines{"RIDOZOD: Wrote 12 bytes to '" + path + "'"});
  EXPECT_EQ(TestDir::Read(path), bytes);
}

TEST(WriteWholeFile, TruncatesAnExistingFile) {
  TestDir dir;
  const std::string path = dir.Write("OUT.BIN", std::string(100, 'x'));
  ui::ScriptedPort port;
  EXPECT_EQ(WriteWholeFile(port, path.c_str(), reinterpret_cast<const unsigned char*>("abc"), 3),
            3);
  EXPECT_EQ(TestDir::Read(path), "abc");
}

TEST(WriteWholeFile, UncreatablePathEndsInTwoBlanks) {
  TestDir dir;
  const std::string path = dir.Path("no/such/dir/OUT.BIN");
  ui::ScriptedPort port;
  EXPECT_EQ(WriteWholeFile(port, path.c_str(), reinterpret_cast<const unsigned char*>("abc"), 3),
            -1);
  EXPECT_EQ(port.LogLines(), Lines{"RIDOZOD: Error 2 on open of file '" + path + "'  "});
  EXPECT_FALSE(std::filesystem::exists(path));
}

// A device that refuses every byte: the failure shows even though the bytes
// went into the stream's buffer first.
TEST(WriteWholeFile, FullDeviceIsNoSuccess) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  ui::ScriptedPort port;
  WriteWholeFile(port, "/dev/full", reinterpret_cast<const unsigned char*>("abc"), 3);
  ASSERT_EQ(port.LogLines().size(), 1u);
  EXPECT_EQ(port.LogLines()[0].rfind("Error ", 0), 0u) << port.LogLines()[0];
  EXPECT_NE(port.LogLines()[0].find(" writing file '/dev/full'"), std::string::npos);
}

#ifndef _WIN32
// A pipe has no end to seek to: the seek's result and errno (ESPIPE) are
// logged, and nothing is read.
TEST(ReadWholeFile, UnseekableFileFailsAtTheSeekToTheEnd) {
  TestDir dir;
  const std::string path = dir.Path("PIPE");
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  // A writer of our own, so that opening the pipe for reading does not wait.
  const int writer = open(path.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  ASSERT_EQ(write(writer, "abc", 3), 3);
  unsigned char buffer[16] = {};
  ui::ScriptedPort port;
  EXPECT_EQ(ReadWholeFile(port, path.c_str(), buffer, sizeof buffer), -1);
  close(writer);
  EXPECT_EQ(port.LogLines(), Lines{"RIDOZOD: Error -1/" + std::to_string(ESPIPE) +
                                   " on seek_end of file '" + path + "'"});
  EXPECT_EQ(buffer[0], 0);
}

// A kernel file that reports a size larger than what it holds: the count
// actually read is returned and the short read logged.
TEST(ReadWholeFile, ShortReadReturnsTheCountRead) {
  const char* path = "/sys/devices/system/cpu/online";
  std::FILE* probe = std::fopen(path, "rb");
  if (probe == nullptr) GTEST_SKIP() << "no " << path << " here";
  std::fseek(probe, 0, SEEK_END);
  const long size = std::ftell(probe);
  std::fclose(probe);
  const std::string content = TestDir::Read(path);
  if (size <= 0 || static_cast<std::size_t>(size) <= content.size())
    GTEST_SKIP() << path << " reports its true size here";
  std::vector<unsigned char> buffer(static_cast<std::size_t>(size));
  ui::ScriptedPort port;
  const auto count = static_cast<std::int32_t>(content.size());
  EXPECT_EQ(ReadWholeFile(port, path, buffer.data(), static_cast<std::int32_t>(size)), count);
  EXPECT_EQ(port.LogLines(), Lines{"RIDOZOD: Only read " + std::to_string(count) + " out of " +
                                   std::to_string(size) + " bytes of file '" + path + "'"});
  EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + count), content);
}

// Files that cannot be read whole fail at once with their step's line: a
// FIFO that nobody writes (no end to seek to), a directory (no open), an
// endless device (no size).
TEST(ReadWholeFile, OddFilesFailAtOnce) {
  TestDir dir;
  const std::string pipe = dir.Path("PIPE");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::string folder = dir.Path("FOLDER");
  std::filesystem::create_directories(folder);
  const struct {
    std::string path;
    std::string line;
  } cases[] = {
      {pipe, "RIDOZOD: Error -1/" + std::to_string(ESPIPE) + " on seek_end of file '" + pipe + "'"},
      {folder, "RIDOZOD: Error " + std::to_string(EISDIR) + " on open of file '" + folder + "'"},
      {"/dev/zero", "RIDOZOD: Error -1/0 on ftell of file '/dev/zero'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    unsigned char buffer[16] = {};
    ui::ScriptedPort port;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadWholeFile(port, c.path.c_str(), buffer, sizeof buffer), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(port.LogLines(), Lines{c.line});
    EXPECT_EQ(buffer[0], 0);
  }
}

// A file that another process cuts and fills again while it is read: every
// call ends with one line that matches its result, and nothing is written
// past the data read.
TEST(ReadWholeFile, AFileThatShrinksAndGrowsWhileRead) {
  TestDir dir;
  const std::string path = dir.Write("MOVING.BIN", std::string(4096, 'm'));
  std::atomic<bool> stop{false};
  std::thread changer([&] {
    for (std::size_t size = 0; !stop; size = (size + 1531) % 8000) {
      const int fd = open(path.c_str(), O_WRONLY);
      if (fd < 0) continue;
      [[maybe_unused]] int r = ftruncate(fd, 0);
      const std::string bytes(size, 'm');
      [[maybe_unused]] ssize_t n = write(fd, bytes.data(), bytes.size());
      close(fd);
    }
  });
  int full = 0, failed = 0, short_reads = 0;
  for (int i = 0; i < 2000; ++i) {
    std::vector<unsigned char> buffer(8001, 0xEE);
    ui::ScriptedPort port;
    const std::int32_t n = ReadWholeFile(port, path.c_str(), buffer.data(), 8000);
    ASSERT_EQ(port.LogLines().size(), 1u);
    const std::string line = port.LogLines()[0];
    ASSERT_LE(n, 8000);
    if (n > 0) {
      ASSERT_EQ(buffer[n - 1], 'm');
    }
    ASSERT_EQ(buffer[8000], 0xEE);
    if (n < 0) {
      ++failed;
      ASSERT_TRUE(line.find("on ftell of file") != std::string::npos) << line;
    } else if (line.rfind("RIDOZOD: Read ", 0) == 0) {
      ++full;
      ASSERT_EQ(line, "RIDOZOD: Read " + std::to_string(n) + " bytes from '" + path + "'");
    } else {
      ++short_reads;
      ASSERT_EQ(line.rfind("RIDOZOD: Only read " + std::to_string(n) + " out of ", 0), 0u) << line;
    }
  }
  stop = true;
  changer.join();
  EXPECT_GT(full, 0);
  RecordProperty("short_reads", short_reads);
  RecordProperty("failed", failed);
}

// Places that take no file: a FIFO without a reader (no waiting for one), a
// directory, a read-only file of the kernel, and a device that is always full.
TEST(WriteWholeFile, PlacesThatTakeNoFile) {
  TestDir dir;
  const std::string pipe = dir.Path("PIPE");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::string folder = dir.Path("FOLDER");
  std::filesystem::create_directories(folder);
  auto open_error = [](int error, const std::string& path) {
    return "RIDOZOD: Error " + std::to_string(error) + " on open of file '" + path + "'  ";
  };
  struct Case {
    std::string path;
    std::int32_t result;
    std::string line;
  };
  std::vector<Case> cases = {
      {pipe, -1, open_error(ENXIO, pipe)},
      {folder, -1, open_error(EISDIR, folder)},
      // The stream's error indicator, not errno.
      {"/dev/full", 3, "Error 1 writing file '/dev/full'"},
  };
  // Read-only even for root; a folder without write permission for others.
  const char* kernel_file = "/sys/kernel/notes";
  if (access(kernel_file, F_OK) == 0)
    cases.push_back({kernel_file, -1, open_error(EACCES, kernel_file)});
  if (geteuid() != 0) {
    const std::string locked = dir.Path("LOCKED");
    std::filesystem::create_directories(locked);
    chmod(locked.c_str(), 0555);
    cases.push_back({locked + "/OUT.BIN", -1, open_error(EACCES, locked + "/OUT.BIN")});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    ui::ScriptedPort port;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(
        WriteWholeFile(port, c.path.c_str(), reinterpret_cast<const unsigned char*>("abc"), 3),
        c.result);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(port.LogLines(), Lines{c.line});
  }
}
#endif

// Long paths appear whole in the lines.
TEST(WholeFiles, LongPathsAreLoggedWhole) {
  TestDir dir;
  std::string name;
  for (int i = 0; i < 8; ++i) name += std::string(60, char('a' + i)) + "/";
  const std::string path = dir.Write(name + "DATA.BIN", "0123456789");
  ASSERT_GT(path.size(), 400u);
  ui::ScriptedPort port;
  unsigned char buffer[16];
  EXPECT_EQ(ReadWholeFile(port, path.c_str(), buffer, sizeof buffer), 10);
  EXPECT_EQ(WriteWholeFile(port, path.c_str(), buffer, 10), 10);
  EXPECT_EQ(port.LogLines(), (Lines{"RIDOZOD: Read 10 bytes from '" + path + "'",
                                    "RIDOZOD: Wrote 10 bytes to '" + path + "'"}));
}

}  // namespace
}  // namespace files
