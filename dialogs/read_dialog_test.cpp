#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "dialogs/test_support.h"
#include "resources/templates.h"

namespace dialogs::testing {
namespace {

struct ReadFields {
  const char* handle;
  const char* size;
  std::string file;
};

void RunRead(DialogHarness& h, const ReadFields& f, bool* ended = nullptr) {
  h.Run(res::kIdRead, [&](ui::ScriptedDialog& d) {
    EXPECT_EQ(d.Text(res::kIdBufferSize), "80");
    d.Type(res::kIdHandle, f.handle);
    d.Type(res::kIdBufferSize, f.size);
    d.Type(res::kIdReadFile, f.file);
    d.Press(res::kIdOk);
    if (ended) *ended = d.ended();
  });
}

TEST(ReadDialog, FieldChecksKeepTheDialogOpen) {
  const std::string long_name(100, 'f');
  struct Case {
    ReadFields fields;
    Entry box;
  } cases[] = {
      {{"-1", "80", ""}, Box("Non numeric Handle : -1 ", "Handle Error ")},
      {{"3", "", ""}, Box("Missing Buffer Size", "Buffer Size Error ")},
      {{"3", "8x", ""}, Box("Non numeric Buffer Size : 8x ", "Buffer Size Error")},
      {{"3", "2147483648", ""}, Box("Buffer Size too large : 2147483648 ", "Buffer Size Error")},
      {{"3", "80", long_name},
       Box("File Name longer than 99 characters : " + long_name + " ", "File Name Error ")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box.text);
    DialogHarness h;
    bool ended = true;
    RunRead(h, c.fields, &ended);
    EXPECT_FALSE(ended);
    EXPECT_EQ(h.entries(), std::vector<Entry>{c.box});
    EXPECT_TRUE(h.pos.calls.empty());
  }
}

// The file's line comes before the dump; a file that cannot be written does
// not stop the read from being shown and confirmed.
TEST(ReadDialog, DeviceDataIsSavedDumpedAndReadAsAScale) {
  const std::pair<std::string, std::string> files[] = {
      {"out.bin", "RIDOZOD: Wrote 5 bytes to 'out.bin'"},
      {"no_such_dir/out.bin", "RIDOZOD: Error 2 on open of file 'no_such_dir/out.bin'  "},
  };
  for (const auto& [file, file_line] : files) {
    SCOPED_TRACE(file);
    DialogHarness h;
    h.pos.read_bytes = "ABCDE";
    bool ended = false;
    RunRead(h, {"3", "80", file}, &ended);
    EXPECT_TRUE(ended);
    EXPECT_EQ(h.entries(), (std::vector<Entry>{
                               LogLine("Command-->  PosRead(3, [], 80)"), LogLine(file_line),
                               LogLine("      Read Results:  "), LogLine("      (5 bytes)"),
                               LogLine("   0000: 41 42 43 44 45  | ABCDE\n"),
                               Box("PosRead Successful.", "POS Read"),
                               LogLine("Scale : Type-> 16961 , Flags -> 17475, WtValue -> 69")}));
    EXPECT_EQ(h.pos.calls[0].numbers, (std::vector<std::int32_t>{3, 80}));
    EXPECT_EQ(TempCurrentDir::ReadBytes(file), file == "out.bin" ? "ABCDE" : "");
  }
}

TEST(ReadDialog, EventQueueRecordsAreDecoded) {
  std::string record(16, '\0');
  record[4] = 0x0B;
  record[5] = 0x42;
  record[8] = 3;
  DialogHarness h;
  h.pos.read_bytes = record;
  RunRead(h, {"0", "16", ""});
  EXPECT_EQ(h.port.LogLines(),
            (std::vector<std::string>{"Command-->  PosRead(0, [], 16)",
                                      "POSQ Message from Handle  3: POSM_SCAN_DATA_AVAIL",
                                      "     mp1 = 0x00000003 (3)", "     mp2 = 0x00000000 (0)",
                                      "Scale : Type-> 0 , Flags -> 0, WtValue -> 16907"}));

  DialogHarness short_read;
  short_read.pos.read_bytes = record.substr(0, 12);
  RunRead(short_read, {"0", "80", ""});
  const std::vector<std::string> lines = short_read.port.LogLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[1], "ERROR: Unknown POSQ message format!!!!");
  EXPECT_EQ(lines[2], "      POSQ Info:  ");
}

TEST(ReadDialog, NothingReadIsAFailure) {
  const std::pair<std::int32_t, int> results[] = {{-1, 329}, {0, 329}};
  for (const auto& [result, status] : results) {
    DialogHarness h;
    h.pos.Will(result, status);
    bool ended = false;
    RunRead(h, {"3", "80", "never.bin"}, &ended);
    const std::string rc =
        "  RC = " + std::to_string(result) + ", errno = (329) POSERR_SYS_TIMEOUT  ";
    EXPECT_EQ(h.entries(), (std::vector<Entry>{LogLine("Command-->  PosRead(3, [], 80)"),
                                               LogLine(rc), Box(rc, "Command Status")}));
    EXPECT_TRUE(ended);
  }
}

// A count larger than the buffer is a library fault: reported, and nothing
// of the buffer is shown or saved.
TEST(ReadDialog, NothingBeyondTheBufferIsShown) {
  for (const std::int32_t count : {11, 100, 0x7FFFFFFF}) {
    SCOPED_TRACE(count);
    DialogHarness h;
    h.pos.read_bytes = "0123456789";
    h.pos.Will(count);
    bool ended = false;
    RunRead(h, {"5", "10", "never.bin"}, &ended);
    const std::string line = "  --> PosRead reported " + std::to_string(count) +
                             " bytes for a buffer of 10 bytes: nothing shown  ";
    EXPECT_EQ(h.entries(), (std::vector<Entry>{LogLine("Command-->  PosRead(5, [], 10)"),
                                               LogLine(line), Box(line, "Command Status")}));
    EXPECT_TRUE(ended);
    EXPECT_FALSE(std::filesystem::exists("never.bin"));
  }

  // A buffer shorter than the scale reading: the missing bytes count as 0.
  DialogHarness tiny;
  tiny.pos.read_bytes = "\x01\x02";
  RunRead(tiny, {"5", "2", ""});
  EXPECT_EQ(tiny.port.LogLines().back(), "Scale : Type-> 513 , Flags -> 0, WtValue -> 0");
}

}  // namespace
}  // namespace dialogs::testing
