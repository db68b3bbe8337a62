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
#include "tests/win32/e2e_fixture.h"

namespace e2e {

std::string g_run;

namespace {

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
  // Maximised as it stands idle, after the dialog manager has shown it.
  Sleep(300);
  EXPECT_TRUE(IsZoomed(d)) << "the Initialize dialog stays maximised";
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
  const drive::Ran scan = Posimctl("scan 4006381333931");
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
  const drive::Ran shown = Posimctl("show display");
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
}  // namespace e2e

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: ridozod_e2e RUN_FOLDER [gtest options]\n");
    return 2;
  }
  e2e::g_run = argv[1];
  return RUN_ALL_TESTS();
}
