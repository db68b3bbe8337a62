#include "names/command_log.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/scripted/scripted_port.h"

namespace names {
namespace {

using Entry = ui::ScriptedPort::Entry;

// Lines of every length around the room formatted on the stack, and far
// past it: whole, from FormatLine and appended by AppendFormatted alike.
TEST(FormatLine, LongLinesAreNeverCut) {
  for (std::size_t n : {0, 1, 200, 249, 250, 251, 252, 300, 5000}) {
    SCOPED_TRACE(n);
    const std::string word(n, 'x');
    const std::string want = "<" + word + "|42>";
    EXPECT_EQ(FormatLine("<%s|%d>", word.c_str(), 42), want);
    ui::ScriptedPort port;
    AppendFormatted(port, "<%s|%d>", word.c_str(), 42);
    EXPECT_EQ(port.LogLines(), std::vector<std::string>{want});
  }
  EXPECT_EQ(FormatLine("%s", ""), "");
}

struct StatusCase {
  std::int32_t result;
  std::int32_t error;
  const char* line;
};

const StatusCase kStatusCases[] = {
    {-1, 303, "  RC = -1, errno = (303) POSERR_SYS_INVALID_DESCRIPTOR  "},
    {0, 0, "  RC = 0, errno = (0) 0      (0x00000000)  "},
    {-1, 337, "  RC = -1, errno = (337) 337    (0x00000151)  "},
    {-2147483647 - 1, 5745,
     "  RC = -2147483648, errno = (5745) POSERR_SCAN_INVALID_INT2OF5_SCANS_PER_READ  "},
};

TEST(ReportStatus, LogsThenShowsTheLineAndClearsTheScratchAfterTheBox) {
  for (const StatusCase& c : kStatusCases) {
    SCOPED_TRACE(c.line);
    ui::ScriptedPort port;
    NameScratch scratch;
    bool scratch_held_text_during_box = false;
    port.OnMessageBox([&](const Entry&) { scratch_held_text_during_box = !scratch.empty(); });
    LookupName(scratch, codes::ErrorNames, 1);  // a text left by the caller's line
    ReportStatus(port, scratch, c.result, c.error);
    const std::vector<Entry> expected = {{Entry::kLog, c.line, ""},
                                         {Entry::kBox, c.line, "Command Status"}};
    EXPECT_EQ(port.entries(), expected);
    EXPECT_TRUE(scratch_held_text_during_box);
    EXPECT_TRUE(scratch.empty());
  }
}

std::vector<std::string> Dump(const char* title, const void* data, std::int64_t length) {
  ui::ScriptedPort port;
  DumpHex(port, title, data, length);
  return port.LogLines();
}

TEST(DumpHex, RowsOfSixteenBytes) {
  const std::string digits = "0123456789ABCDEF0123456789abcdefQ";
  const std::string row0 =
      "   0000: 30 31 32 33 34 35 36 37 38 39 41 42 43 44 45 46  | 0123456789ABCDEF\n";
  const std::string row1 =
      "   0010: 30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66  | 0123456789abcdef\n";
  const struct {
    std::int64_t length;
    std::vector<std::string> lines;
  } kCases[] = {
      {16, {"      Read Results:  ", "      (16 bytes)", row0}},
      {17, {"      Read Results:  ", "      (17 bytes)", row0, "   0010: 30  | 0\n"}},
      {20, {"      Read Results:  ", "      (20 bytes)", row0, "   0010: 30 31 32 33  | 0123\n"}},
      {32, {"      Read Results:  ", "      (32 bytes)", row0, row1}},
      {33, {"      Read Results:  ", "      (33 bytes)", row0, row1, "   0020: 51  | Q\n"}},
      {1, {"      Read Results:  ", "      (1 bytes)", "   0000: 30  | 0\n"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.length);
    EXPECT_EQ(Dump("Read Results", digits.data(), c.length), c.lines);
  }
}

TEST(DumpHex, NonprintableBytesShowAsFullStops) {
  const unsigned char bytes[] = {0x09, 0x7F, 0x80, 0xFF, 0x20, 0x7E, 0x00, 0x1F};
  const std::vector<std::string> expected = {"      POSQ Info:  ", "      (8 bytes)",
                                             "   0000: 09 7F 80 FF 20 7E 00 1F  | .... ~..\n"};
  EXPECT_EQ(Dump("POSQ Info", bytes, sizeof bytes), expected);
}

TEST(DumpHex, NothingForNoDataOrNoLength) {
  const char byte = 'x';
  EXPECT_TRUE(Dump("t", &byte, 0).empty());
  EXPECT_TRUE(Dump("t", &byte, -5).empty());
  EXPECT_TRUE(Dump("t", nullptr, 16).empty());
}

TEST(DumpHex, NullTitle) {
  const char byte = 'x';
  EXPECT_EQ(Dump(nullptr, &byte, 1).front(), "      (No title):  ");
}

// Past 65535 bytes: the real count, every byte, offsets with more digits.
TEST(DumpHex, LargeDumpsAreWhole) {
  std::vector<unsigned char> bytes(70000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i);
  const std::vector<std::string> lines = Dump("Read Results", bytes.data(), 70000);
  ASSERT_EQ(lines.size(), 2u + 4375u);
  EXPECT_EQ(lines[1], "      (70000 bytes)");
  EXPECT_EQ(lines[2].substr(0, 12), "   0000: 00 ");
  EXPECT_EQ(lines[4097].substr(0, 12), "   FFF0: F0 ");
  EXPECT_EQ(lines[4098].substr(0, 13), "   10000: 00 ");
  EXPECT_EQ(lines.back(),
            "   11160: 60 61 62 63 64 65 66 67 68 69 6A 6B 6C 6D 6E 6F  | `abcdefghijklmno\n");
}

// The rows as printf writes them, a call per byte: "   %04X: ", "%02X " for
// each byte, " | %s\n" with the ASCII column. The dump must match it byte
// for byte, for every byte value, short last rows and offsets past 0xFFFF.
std::vector<std::string> PrintfRows(const std::vector<unsigned char>& bytes) {
  std::vector<std::string> rows;
  for (std::size_t offset = 0; offset < bytes.size(); offset += 16) {
    char text[32];
    std::snprintf(text, sizeof text, "   %04zX: ", offset);
    std::string row = text, ascii;
    for (std::size_t i = offset; i < bytes.size() && i < offset + 16; ++i) {
      std::snprintf(text, sizeof text, "%02X ", bytes[i]);
      row += text;
      ascii += std::isprint(bytes[i]) ? static_cast<char>(bytes[i]) : '.';
    }
    rows.push_back(row + " | " + ascii + "\n");
  }
  return rows;
}

TEST(DumpHex, RowsAreThoseOfPrintfByteForByte) {
  std::vector<unsigned char> bytes(70000);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<unsigned char>(i * 7 + i / 256);  // every value, in many orders
  for (std::size_t length : {1, 2, 15, 16, 17, 31, 255, 256, 257, 4095, 65535, 65536, 70000}) {
    SCOPED_TRACE(length);
    const std::vector<unsigned char> data(bytes.begin(), bytes.begin() + length);
    std::vector<std::string> lines = Dump("Read Results", data.data(), length);
    ASSERT_GE(lines.size(), 2u);
    lines.erase(lines.begin(), lines.begin() + 2);
    EXPECT_EQ(lines, PrintfRows(data));
  }
}

TEST(DumpHex, OffsetsCountUpInUpperCaseHex) {
  const std::vector<unsigned char> bytes(16 * 12, 'a');
  const std::vector<std::string> lines = Dump("t", bytes.data(), 16 * 12);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[3].substr(0, 9), "   0010: ");
  EXPECT_EQ(lines[12].substr(0, 9), "   00A0: ");
  EXPECT_EQ(lines[13].substr(0, 9), "   00B0: ");
}

}  // namespace
}  // namespace names
