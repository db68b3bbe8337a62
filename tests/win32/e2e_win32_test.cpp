// End-to-end cases of ridozod.exe under Wine: each starts the program from
// the run folder, drives its real windows from outside and reads back the
// CommandLog, the message boxes and the exit code.
//   ridozod_e2e.exe RUN_FOLDER [gtest options]
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/list_files.h"
#include "resources/templates.h"
#include "tests/win32/window_driver.h"

namespace {

std::string g_run;  // the run folder: ridozod.exe, vekapi32.dll, posimctl.exe, list files

using drive::Box;

std::string Join(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& l : lines) all += "  [" + l + "]\n";
  return all;
}

// Whether the wanted lines stand in the log in this order (others between them).
bool InOrder(const std::vector<std::string>& log, const std::vector<std::string>& wanted) {
  std::size_t at = 0;
  for (const std::string& line : log)
    if (at < wanted.size() && line == wanted[at]) ++at;
  return at == wanted.size();
}

class Ridozod : public ::testing::Test {
 protected:
  void TearDown() override {
    // A case that failed half-way leaves boxes and dialogs: the driver ends the program.
    program_.reset();
  }

  ::testing::AssertionResult Start(const std::string& folder = g_run) {
    program_ = drive::Process::Start("\"" + folder + "\\ridozod.exe\"", folder);
    if (!program_) return ::testing::AssertionFailure() << "ridozod.exe did not start";
    main_ = drive::WaitForMainWindow(program_->id());
    if (!main_) return ::testing::AssertionFailure() << "no main window";
    return ::testing::AssertionSuccess();
  }

  DWORD pid() const { return program_->id(); }
  std::vector<std::string> Log() const { return drive::LogLines(main_); }

  // Waits until the log holds these lines in this order.
  ::testing::AssertionResult LogHas(const std::vector<std::string>& wanted) {
    if (drive::WaitUntil([&] { return InOrder(Log(), wanted); }))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the log lacks, in this order:\n"
                                         << Join(wanted) << "it holds:\n"
                                         << Join(Log());
  }

  // Waits for a message box, checks it and presses its OK.
  ::testing::AssertionResult BoxSays(const std::string& caption, const std::string& text) {
    const std::optional<Box> box = drive::WaitForMessageBox(pid());
    if (!box) return ::testing::AssertionFailure() << "no message box; log:\n" << Join(Log());
    if (box->caption != caption || box->text != text)
      return ::testing::AssertionFailure() << "box [" << box->caption << "] [" << box->text
                                           << "], wanted [" << caption << "] [" << text << "]";
    if (!drive::CloseMessageBox(*box)) return ::testing::AssertionFailure() << "box stayed open";
    return ::testing::AssertionSuccess();
  }

  HWND Dialog(int command, const std::string& title) {
    drive::MenuCommand(main_, command);
    return drive::WaitForDialog(pid(), title);
  }

  ::testing::AssertionResult Closed(HWND dialog) {
    if (drive::WaitUntil([&] { return !IsWindow(dialog); })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the dialog stayed open";
  }

  // Initialize with the dialog's defaults.
  void Initialize() {
    HWND d = Dialog(res::kIdInitialize, "POS Initialization");
    ASSERT_TRUE(d);
    drive::Click(d, res::kIdOk);
    ASSERT_TRUE(BoxSays("POS Initialize", "Initialize Successful."));
    ASSERT_TRUE(Closed(d));
  }

  // Opens DEVNAME of the class; the handle line shows the handle.
  void Open(const std::string& device_class, const std::string& handle_line) {
    HWND d = Dialog(res::kIdOpen, "POS Open");
    ASSERT_TRUE(d);
    ASSERT_TRUE(drive::Choose(d, res::kIdDeviceClass, device_class)) << device_class;
    drive::Click(d, res::kIdOk);
    ASSERT_TRUE(BoxSays("POS Open", handle_line));
    ASSERT_TRUE(Closed(d));
  }

  // A started program, initialised, with DEVNAME of the class open as handle 1.
  void StartWithDevice(const std::string& device_class) {
    ASSERT_TRUE(Start());
    ASSERT_NO_FATAL_FAILURE(Initialize());
    ASSERT_NO_FATAL_FAILURE(Open(device_class, "  Handle :  1  Device Name :  DEVNAME"));
  }

  void ExpectExit(DWORD code) {
    const std::optional<DWORD> got = program_->Wait();
    ASSERT_TRUE(got.has_value()) << "the program did not end";
    EXPECT_EQ(*got, code);
  }

  void Exit() {
    drive::MenuCommand(main_, res::kIdExit);
    ExpectExit(0);
  }

  std::unique_ptr<drive::Process> program_;
  HWND main_ = nullptr;
};

TEST_F(Ridozod, CloseBeforeInitializeNamesStatus302) {
  ASSERT_TRUE(Start());
  HWND d = Dialog(res::kIdClose, "POS Close");
  ASSERT_TRUE(d);
  // The handle check first: an empty field.
  drive::Click(d, res::kIdOk);
  ASSERT_TRUE(BoxSays("Handle Error ", "Missing Handle number"));
  drive::SetText(d, res::kIdHandle, "007");
  drive::Click(d, res::kIdOk);
  ASSERT_TRUE(BoxSays("Command Status", "  RC = -1, errno = (302) POSERR_SYS_NOT_INITIALIZED  "));
  ASSERT_TRUE(Closed(d));
  EXPECT_TRUE(LogHas(
      {"Command-->  PosClose(7)  ", "  RC = -1, errno = (302) POSERR_SYS_NOT_INITIALIZED  "}));
  Exit();
}

TEST_F(Ridozod, InitializeLogsTheCallAndTheDecodedOnlineEvents) {
  ASSERT_TRUE(Start());
  HWND d = Dialog(res::kIdInitialize, "POS Initialization");
  ASSERT_TRUE(d);
  EXPECT_EQ(drive::GetText(d, res::kIdAppName), "RIDOZOD");
  EXPECT_EQ(drive::GetText(d, res::kIdResourceFile), "C:\\KLOB");
  EXPECT_TRUE(IsZoomed(d)) << "the Initialize dialog opens maximised";
  drive::Click(d, res::kIdOk);
  // The events arrive while the success box waits: the log shows them before it closes.
  char handle[64];
  std::snprintf(handle, sizeof handle, "               (0x%lX)  ",
                static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(main_)));
  EXPECT_TRUE(
      LogHas({"Command-->  PosInitialize(RIDOZOD, C:\\KLOB, 0, 0, [], 1)", "     1: queueHandle   ",
              handle, "  POSM_SYS_DEVICE_ONLINE ", " KEYBOARD FOUND *** 28 "}));
  ASSERT_TRUE(BoxSays("POS Initialize", "Initialize Successful."));
  ASSERT_TRUE(Closed(d));
  Exit();
}

TEST_F(Ridozod, OpenWithTheDefaultsShowsTheHandle) {
  ASSERT_TRUE(Start());
  ASSERT_NO_FATAL_FAILURE(Initialize());
  HWND d = Dialog(res::kIdOpen, "POS Open");
  ASSERT_TRUE(d);
  EXPECT_EQ(drive::GetText(d, res::kIdDeviceName), "DEVNAME");
  drive::Click(d, res::kIdOk);
  ASSERT_TRUE(BoxSays("POS Open", "  Handle :  1  Device Name :  DEVNAME"));
  EXPECT_TRUE(LogHas({"Command-->  PosOpen(DEVNAME, PosDisplay, [], 0)",
                      "  Handle :  1  Device Name :  DEVNAME"}));
  Exit();
}

TEST_F(Ridozod, IoctlGetValuesEchoesThePairsBeforeAndAfterTheCall) {
  ASSERT_NO_FATAL_FAILURE(StartWithDevice("PosScanner"));
  HWND d = Dialog(res::kIdIoctl, "POS Ioctl");
  ASSERT_TRUE(d);
  drive::SetText(d, res::kIdHandle, "1");
  const std::vector<std::string> alarm_names = drive::ComboItems(d, res::kIdArgResource);
  ASSERT_TRUE(drive::Choose(d, res::kIdRequest, "POS_SYS_GET_VALUES"));
  // The system class's names replace the alarm's.
  ASSERT_TRUE(
      drive::WaitUntil([&] { return drive::ComboItems(d, res::kIdArgResource) != alarm_names; }));
  int rows = 0;
  for (const char* name : {"PosNbeepVolume", "PosNbeepFrequency"}) {
    drive::SetText(d, res::kIdArgResource, name);
    drive::Click(d, res::kIdAddResource);
    const std::string count = std::to_string(++rows);
    ASSERT_TRUE(drive::WaitUntil([&] { return drive::GetText(d, res::kIdArgCount) == count; }));
  }
  drive::Click(d, res::kIdOk);
  ASSERT_TRUE(BoxSays("POS Ioctl", "PosIoctl Successful."));
  // Before the call the empty hexadecimal values, after it the device's.
  const std::vector<std::string> before = {
      "Command-->  PosIoctl(1, POS_SYS_GET_VALUES, [..], 2)", "     1: beepVolume   ",
      "               (0xFFFFFFFF)  ", "     2: beepFrequency   ", "               (0xFFFFFFFF)  "};
  ASSERT_TRUE(LogHas(before));
  std::vector<std::string> log = Log();
  const auto first = std::find(log.begin(), log.end(), before[0]);
  const std::vector<std::string> after(first + 5, log.end());
  ASSERT_EQ(after.size(), 4u) << Join(log);
  EXPECT_EQ(after[0], "     1: beepVolume   ");
  EXPECT_NE(after[1], "               (0xFFFFFFFF)  ");
  EXPECT_EQ(after[2], "     2: beepFrequency   ");
  EXPECT_NE(after[3], "               (0xFFFFFFFF)  ");
  // The dialog stays open for the next request, its list emptied.
  EXPECT_TRUE(IsWindow(d));
  EXPECT_EQ(drive::GetText(d, res::kIdArgCount), "0");
  drive::Click(d, res::kIdCancel);
  ASSERT_TRUE(Closed(d));
  Exit();
}

TEST_F(Ridozod, AScannedLabelIsReportedWhileADialogIsOpenAndThenRead) {
  ASSERT_NO_FATAL_FAILURE(StartWithDevice("PosScanner"));
  HWND d = Dialog(res::kIdRead, "POS Read");
  ASSERT_TRUE(d);
  // The label comes in while the Read dialog is open.
  const drive::Ran scan =
      drive::RunToEnd("\"" + g_run + "\\posimctl.exe\" scan 4006381333931", g_run);
  ASSERT_EQ(scan.exit_code, 0u) << scan.output;
  ASSERT_TRUE(BoxSays("SCANNER Message", "SCANNER DATA AVAILABLE (Length = 13)"));
  EXPECT_TRUE(IsWindow(d));
  drive::SetText(d, res::kIdHandle, "1");
  drive::Click(d, res::kIdOk);
  ASSERT_TRUE(BoxSays("POS Read", "PosRead Successful."));
  EXPECT_TRUE(LogHas({"SCANNER DATA AVAILABLE (Length = 13)", "Command-->  PosRead(1, [], 80)",
                      "      Read Results:  ", "      (13 bytes)",
                      "   0000: 34 30 30 36 33 38 31 33 33 33 39 33 31  | 4006381333931\n"}));
  ASSERT_TRUE(Closed(d));
  Exit();
}

TEST_F(Ridozod, WriteSendsTypedBytesWithEscapesDecoded) {
  ASSERT_NO_FATAL_FAILURE(StartWithDevice("PosDisplay"));
  HWND d = Dialog(res::kIdWrite, "POS Write");
  ASSERT_TRUE(d);
  drive::SetText(d, res::kIdHandle, "1");
  // A byte above 0x7F goes to the library as the ANSI code page has it.
  drive::SetText(d, res::kIdWriteData, "Caf\xe9 \\qA\\x42");
  // Enter in the data box is the dialog's: it presses OK, and adds no line.
  drive::MouseClick(GetDlgItem(d, res::kIdWriteData));
  drive::TypeKey(d, VK_RETURN, 0x1C);
  ASSERT_TRUE(BoxSays("POS Write", "PosWrite Successful."));
  EXPECT_TRUE(LogHas({"nLines    -> 1 ", "--> Error, unknown escape sequence '\\q'",
                      "Command-->  PosWrite(1, [], 9)"}));
  ASSERT_TRUE(Closed(d));
  const drive::Ran shown = drive::RunToEnd("\"" + g_run + "\\posimctl.exe\" show display", g_run);
  EXPECT_EQ(shown.exit_code, 0u);
  // The display shows the byte 0xE9 and the backslash escaped.
  EXPECT_NE(shown.output.find("Caf\\xE9 \\\\qAB"), std::string::npos) << shown.output;
  Exit();
}

TEST_F(Ridozod, KeysTypedInTheMainWindowAreEchoed) {
  ASSERT_TRUE(Start());
  drive::TypeKey(main_, 'A', 0x1E);
  EXPECT_TRUE(LogHas({"KeyDown ScanCode from KeyBoard = 1e \n",
                      "WM_CHAR comes ScanCode from KeyBoard = 1e \n",
                      "KeyUp ScanCode from KeyBoard = 1e \n"}));
  Exit();
}

TEST_F(Ridozod, AMissingListFileEndsWithExitCode1BeforeAnyWindow) {
  // A folder with the program and the list files but PIOCTLRE.DAT and PTOUCH.DAT.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder =
      std::string(temp) + "ridozod-e2e-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  std::vector<std::string> copied{"ridozod.exe"};
  for (const char* name : res::kListFiles)
    if (std::string(name) != res::kRequestListFile && std::string(name) != res::kTouchListFile)
      copied.push_back(name);
  for (const std::string& name : copied)
    ASSERT_TRUE(CopyFileA((g_run + "\\" + name).c_str(), (folder + "\\" + name).c_str(), FALSE))
        << name;
  program_ = drive::Process::Start("\"" + folder + "\\ridozod.exe\"", folder);
  ASSERT_TRUE(program_);
  ASSERT_TRUE(BoxSays("Error", "File PIOCTLRE.DAT is missing."));
  EXPECT_EQ(drive::FindMainWindow(pid()), nullptr);
  ExpectExit(1);
  for (const std::string& name : copied) DeleteFileA((folder + "\\" + name).c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(Ridozod, ExitAndTheCloseBoxEndWithExitCode0) {
  struct Way {
    const char* name;
    UINT message;
    WPARAM wparam;
  };
  const Way ways[] = {{"menu Exit", WM_COMMAND, MAKEWPARAM(res::kIdExit, 0)},
                      {"close box", WM_SYSCOMMAND, SC_CLOSE}};
  for (const Way& w : ways) {
    SCOPED_TRACE(w.name);
    ASSERT_TRUE(Start());
    PostMessageW(main_, w.message, w.wparam, 0);
    ExpectExit(0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: ridozod_e2e RUN_FOLDER [gtest options]\n");
    return 2;
  }
  g_run = argv[1];
  return RUN_ALL_TESTS();
}
