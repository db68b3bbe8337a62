// End-to-end cases of the file routes: the Write dialog sends a whole file,
// the Read dialog saves what it read. The RS-232 port of the simulated
// terminal keeps the bytes written to it exactly and gives back what arrives.
#include <cstdio>
#include <optional>
#include <string>

#include "tests/win32/e2e_fixture.h"

namespace e2e {
namespace {

bool WriteRunFile(const std::string& name, const std::string& bytes) {
  std::FILE* f = std::fopen(RunPath(name).c_str(), "wb");
  if (!f) return false;
  const bool whole = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && whole;
}

// What posimctl shows of the port: the bytes written to it, those outside
// the printable ASCII range as \xHH and a backslash doubled.
std::string PortShows() {
  std::string out = Posimctl("show rs232").output;
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

TEST_F(Ridozod, TheWriteFileRouteSendsTheFileAsItIsAndRefusesFilesItCannotRead) {
  // Line ends, a zero byte, a byte above 0x7F and a backslash that no escape
  // decoding may touch.
  const std::string sent("AB\r\n\0\xff\\x\x7f", 9);
  struct Refused {
    const char* file;
    std::optional<std::string> contents;  // none: the file is not there
    const char* line;                     // what the reader logs
  };
  const Refused refused[] = {
      {"e2e-none.bin", std::nullopt, "RIDOZOD: Error 2 on open of file 'e2e-none.bin'"},
      {"e2e-empty.bin", "", "RIDOZOD: Error -1/0 on ftell of file 'e2e-empty.bin'"},
      {"e2e-big.bin", std::string(8193, 'x'),
       "RIDOZOD: Buffer not big enough: have 8192 bytes, 'e2e-big.bin' is 8193 bytes long\n"},
  };
  ASSERT_TRUE(WriteRunFile("e2e-sent.bin", sent));
  for (const Refused& r : refused) {
    std::remove(RunPath(r.file).c_str());
    if (r.contents) {
      ASSERT_TRUE(WriteRunFile(r.file, *r.contents));
    }
  }

  ASSERT_NO_FATAL_FAILURE(StartWithDevice("PosRs232c"));
  HWND d = Dialog(res::kIdWrite, "POS Write");
  ASSERT_TRUE(d);
  drive::SetText(d, res::kIdHandle, "1");
  drive::Click(d, res::kIdUseFile);
  ASSERT_TRUE(drive::WaitUntil([&] { return drive::IsChecked(d, res::kIdUseFile); }));
  EXPECT_FALSE(drive::IsChecked(d, res::kIdUseListBox));

  // An empty file name logs nothing; a file the reader refuses leaves the
  // reader's line. The dialog stays open after each.
  std::size_t lines = Log().size();
  drive::Click(d, res::kIdOk);
  ASSERT_TRUE(BoxSays("File Name Error ", "Missing File Name"));
  EXPECT_EQ(Log().size(), lines);
  for (const Refused& r : refused) {
    SCOPED_TRACE(r.file);
    drive::SetText(d, res::kIdWriteFile, r.file);
    drive::Click(d, res::kIdOk);
    ASSERT_TRUE(BoxSays("File Name Error ", "File " + std::string(r.file) + " not found "));
    const std::vector<std::string> log = Log();
    ASSERT_EQ(log.size(), lines + 1) << Join(log);
    EXPECT_EQ(log.back(), r.line);
    lines = log.size();
    EXPECT_TRUE(IsWindow(d));
  }

  drive::SetText(d, res::kIdWriteFile, "e2e-sent.bin");
  drive::Click(d, res::kIdOk);
  ASSERT_TRUE(BoxSays("POS Write", "PosWrite Successful."));
  ASSERT_TRUE(Closed(d));
  const std::vector<std::string> log = Log();
  EXPECT_EQ(std::vector<std::string>(log.begin() + static_cast<std::ptrdiff_t>(lines), log.end()),
            (std::vector<std::string>{"RIDOZOD: Read 9 bytes from 'e2e-sent.bin'",
                                      "Command-->  PosWrite(1,e2e-sent.bin,9)"}));
  EXPECT_EQ(PortShows(), "AB\\x0D\\x0A\\x00\\xFF\\\\x\\x7F");
  Exit();
  for (const char* name : {"e2e-sent.bin", "e2e-empty.bin", "e2e-big.bin"})
    std::remove(RunPath(name).c_str());
}

TEST_F(Ridozod, ReadSavesExactlyTheBytesItReadAndNothingWhenItFails) {
  // CR LF, a control byte, a byte above 0x7F and a backslash.
  const std::string arrived("AB\r\n\x01\xff\\z", 8);
  const std::vector<std::string> shown = {"      Read Results:  ", "      (8 bytes)",
                                          "   0000: 41 42 0D 0A 01 FF 5C 7A  | AB....\\z\n"};
  const std::string scale = "Scale : Type-> 16961 , Flags -> 2573, WtValue -> 2052914945";
  const std::string timeout = "  RC = -1, errno = (329) POSERR_SYS_TIMEOUT  ";
  struct Read {
    const char* file;
    bool fed;                        // the bytes arrive at the port first
    std::vector<std::string> lines;  // what the read appends
    const char* caption;
    std::string text;
    bool saved;  // e2e-saved.bin holds the bytes afterwards
  };
  const Read reads[] = {
      // A file that cannot be written does not make the read fail.
      {"e2e-no-folder\\saved.bin",
       true,
       {"RIDOZOD: Error 2 on open of file 'e2e-no-folder\\saved.bin'  ", shown[0], shown[1],
        shown[2], scale},
       "POS Read",
       "PosRead Successful.",
       false},
      // The file's line comes before the dump.
      {"e2e-saved.bin",
       true,
       {"RIDOZOD: Wrote 8 bytes to 'e2e-saved.bin'", shown[0], shown[1], shown[2], scale},
       "POS Read",
       "PosRead Successful.",
       true},
      // Nothing has arrived since: the read fails and the file keeps what it holds.
      {"e2e-saved.bin", false, {timeout}, "Command Status", timeout, true},
  };
  std::remove(RunPath("e2e-saved.bin").c_str());
  ASSERT_NO_FATAL_FAILURE(StartWithDevice("PosRs232c"));
  for (const Read& r : reads) {
    SCOPED_TRACE(r.file);
    if (r.fed) {
      // posimctl takes the escapes of Write.
      const drive::Ran fed = Posimctl("rs232 AB\\r\\n\\x01\\xFF\\x5Cz");
      ASSERT_EQ(fed.exit_code, 0u) << fed.output;
    }
    HWND d = Dialog(res::kIdRead, "POS Read");
    ASSERT_TRUE(d);
    drive::SetText(d, res::kIdHandle, "1");
    drive::SetText(d, res::kIdReadFile, r.file);
    const std::size_t lines = Log().size();
    drive::Click(d, res::kIdOk);
    ASSERT_TRUE(BoxSays(r.caption, r.text));
    ASSERT_TRUE(Closed(d));
    std::vector<std::string> wanted = {"Command-->  PosRead(1, [], 80)"};
    wanted.insert(wanted.end(), r.lines.begin(), r.lines.end());
    const std::vector<std::string> log = Log();
    ASSERT_GE(log.size(), lines) << Join(log);
    EXPECT_EQ(std::vector<std::string>(log.begin() + static_cast<std::ptrdiff_t>(lines), log.end()),
              wanted);
    EXPECT_EQ(ReadRunFile("e2e-saved.bin"),
              r.saved ? std::optional<std::string>(arrived) : std::nullopt);
  }
  Exit();
  std::remove(RunPath("e2e-saved.bin").c_str());
}

}  // namespace
}  // namespace e2e
