#include <gtest/gtest.h>

#include "dialogs/dialog_support.h"
#include "dialogs/fields.h"
#include "dialogs/test_support.h"
#include "port/dialog_model.h"
#include "resources/templates.h"

namespace dialogs::testing {
namespace {

// Runs the Write dialog with typed data; the entries and the bytes written.
void WriteTyped(DialogHarness& h, const std::string& data, const char* handle = "5") {
  h.Run(res::kIdWrite, [&](ui::ScriptedDialog& d) {
    EXPECT_TRUE(d.model().IsChecked(res::kIdUseListBox));
    d.Type(res::kIdHandle, handle);
    d.Type(res::kIdWriteData, data);
    d.Press(res::kIdOk);
  });
}

TEST(WriteDialog, TypedDataIsJoinedDecodedAndSent) {
  struct Case {
    std::string typed;
    std::string sent;
    std::vector<std::string> log;
  } cases[] = {
      {"AB\nCD", "ABCD", {"nLines    -> 2 ", "Command-->  PosWrite(5, [], 4)"}},
      {"ABC\\r\\n", "ABC\r\n", {"nLines    -> 1 ", "Command-->  PosWrite(5, [], 5)"}},
      {"\\x414\\101\\1012\\18",
       "A4AA2\x01"
       "8",
       {"nLines    -> 1 ", "Command-->  PosWrite(5, [], 7)"}},
      {"\\q",
       "\\q",
       {"nLines    -> 1 ", "--> Error, unknown escape sequence '\\q'",
        "Command-->  PosWrite(5, [], 2)"}},
      {"AB\\0CD", "AB", {"nLines    -> 1 ", "Command-->  PosWrite(5, [], 2)"}},
      {"AB\\", "AB\\", {"nLines    -> 1 ", "Command-->  PosWrite(5, [], 3)"}},
      {"AB\\\nnC", "AB\nC", {"nLines    -> 2 ", "Command-->  PosWrite(5, [], 4)"}},
      {std::string(300, 'x'),
       std::string(253, 'x'),
       {"nLines    -> 11 ", "Command-->  PosWrite(5, [], 253)"}},
      {std::string(253, 'x') + "\nYZ",
       std::string(253, 'x'),
       {"nLines    -> 10 ", "Command-->  PosWrite(5, [], 253)"}},
      {std::string(252, 'x') + "\nYZ",
       std::string(252, 'x') + "Y",
       {"nLines    -> 10 ", "Command-->  PosWrite(5, [], 253)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    DialogHarness h;
    WriteTyped(h, c.typed);
    EXPECT_EQ(h.port.LogLines(), c.log);
    EXPECT_EQ(h.port.Boxes(), (std::vector<Entry>{Box("PosWrite Successful.", "POS Write")}));
    ASSERT_EQ(h.pos.calls.size(), 1u);
    EXPECT_EQ(h.pos.calls[0].data, c.sent);
  }
}

TEST(WriteDialog, EmptyFirstLineDoesNothing) {
  DialogHarness h;
  bool ended = true;
  h.Run(res::kIdWrite, [&](ui::ScriptedDialog& d) {
    d.Type(res::kIdHandle, "5");
    d.Type(res::kIdWriteData, "\nAB");
    d.Press(res::kIdOk);
    ended = d.ended();
  });
  EXPECT_FALSE(ended);
  EXPECT_TRUE(h.entries().empty());
  EXPECT_TRUE(h.pos.calls.empty());
}

TEST(WriteDialog, OutcomeOfTheCall) {
  DialogHarness zero;
  zero.pos.Will(0);
  WriteTyped(zero, "A");
  EXPECT_EQ(zero.port.Boxes(), (std::vector<Entry>{Box("PosWrite Successful.", "POS Write")}));

  DialogHarness failed;
  failed.pos.Will(-1, 303);
  WriteTyped(failed, "A");
  const std::string rc = "  RC = -1, errno = (303) POSERR_SYS_INVALID_DESCRIPTOR  ";
  EXPECT_EQ(failed.port.Boxes(), (std::vector<Entry>{Box(rc, "Command Status")}));

  DialogHarness bad;
  WriteTyped(bad, "A", "-1");
  EXPECT_EQ(bad.entries(), (std::vector<Entry>{Box("Non numeric Handle : -1 ", "Handle Error ")}));
}

TEST(WriteDialog, FileRoute) {
  const std::string ten("a\r\nb\0c\xff\x01\x02z", 10);
  const std::string long_name(100, 'f');
  struct Case {
    std::string file;
    std::vector<Entry> entries;
    bool sent;
  } cases[] = {
      {"data.bin",
       {LogLine("RIDOZOD: Read 10 bytes from 'data.bin'"),
        LogLine("Command-->  PosWrite(5,data.bin,10)"), Box("PosWrite Successful.", "POS Write")},
       true},
      {"", {Box("Missing File Name", "File Name Error ")}, false},
      {"missing.bin",
       {LogLine("RIDOZOD: Error 2 on open of file 'missing.bin'"),
        Box("File missing.bin not found ", "File Name Error ")},
       false},
      {std::string(kMaxFileName, 'm'),
       {LogLine("RIDOZOD: Error 2 on open of file '" + std::string(kMaxFileName, 'm') + "'"),
        Box("File " + std::string(kMaxFileName, 'm') + " not found ", "File Name Error ")},
       false},
      {"big.bin",
       {LogLine("RIDOZOD: Buffer not big enough: have 8192 bytes, 'big.bin' is 8193 bytes long\n"),
        Box("File big.bin not found ", "File Name Error ")},
       false},
      {long_name,
       {Box("File Name longer than 99 characters : " + long_name + " ", "File Name Error ")},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    DialogHarness h;
    h.dir.WriteBytes("data.bin", ten);
    h.dir.WriteBytes("big.bin", std::string(8193, 'b'));
    h.Run(res::kIdWrite, [&](ui::ScriptedDialog& d) {
      d.Type(res::kIdHandle, "5");
      d.Type(res::kIdWriteData, "typed data is not used");
      d.Check(res::kIdUseFile);
      d.Type(res::kIdWriteFile, c.file);
      d.Press(res::kIdOk);
      EXPECT_EQ(d.ended(), c.sent);
    });
    EXPECT_EQ(h.entries(), c.entries);
    ASSERT_EQ(h.pos.calls.size(), c.sent ? 1u : 0u);
    if (c.sent) {
      EXPECT_EQ(h.pos.calls[0].data, ten);
    }
  }
}

// A data box whose lines are longer than the dialog's 200-character line room.
class LongLineBox : public ui::DialogModel {
 public:
  LongLineBox() : ui::DialogModel(res::DispPosWrite()) {}
  int GetLineCount(int) override { return 2; }
  int GetLineLength(int, int line) override { return line == 0 ? 250 : 10; }
  std::string GetLine(int, int line, std::size_t room) override {
    return std::string(std::min<std::size_t>(room, line == 0 ? 250 : 10), line == 0 ? 'a' : 'b');
  }
};

TEST(WriteDialog, LongLinesAreHeldToTheLineRoom) {
  DialogHarness h;
  LongLineBox box;
  std::unique_ptr<ui::DialogProc> proc = MakeWriteDialog(h.context);
  proc->OnInit(box);
  box.SetText(res::kIdHandle, "1");
  proc->OnCommand(box, res::kIdOk, ui::kNotifyClicked);
  ASSERT_EQ(h.pos.calls.size(), 1u);
  EXPECT_EQ(h.pos.calls[0].data, std::string(200, 'a') + std::string(10, 'b'));
}

}  // namespace
}  // namespace dialogs::testing
