// The binding with the system's loader on Windows: vekapi32.dll by its bare
// name beside the test, a real window as "queueHandle" that receives the
// library's events through USER32, and posimctl.exe acting on the devices.
#include <gtest/gtest.h>
#include <windows.h>

#include <cerrno>
#include <string>
#include <vector>

#include "codes/pos_codes.h"
#include "posapi/binding.h"
#include "posapi/library_loader.h"

namespace posapi {
namespace {

// A message-only window: a real window that needs no display.
HWND MakeWindow() {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "posapi_test_window";
  RegisterClassA(&window_class);
  return CreateWindowExA(0, window_class.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         window_class.hInstance, nullptr);
}

// Pumps the thread's messages until count have come to window (5 s at most).
std::vector<MSG> Pump(HWND window, std::size_t count) {
  std::vector<MSG> got;
  const ULONGLONG deadline = GetTickCount64() + 5000;
  while (got.size() < count && GetTickCount64() < deadline) {
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) got.push_back(message);
    if (got.size() < count) MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  return got;
}

// Runs posimctl.exe and returns its exit code.
DWORD Posimctl(const std::string& words) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string command = "\"" + std::string(POSIMCTL_PATH) + "\" " + words;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process)) {
    return 999;
  }
  WaitForSingleObject(process.hProcess, 10000);
  DWORD code = 999;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return code;
}

class BindingWin32Test : public ::testing::Test {
 protected:
  void TearDown() override {
    PosTerm();
    SetLibraryFileForTesting(nullptr);
  }
  HWND window_ = MakeWindow();
};

TEST_F(BindingWin32Test, TheSimulatedLibraryPostsItsEventsToTheWindow) {
  ASSERT_NE(window_, nullptr);
  ResourcePair queue = {"queueHandle", reinterpret_cast<std::uintptr_t>(window_)};
  ASSERT_EQ(PosInitialize("RIDOZOD", "C:\\KLOB", 0, 0, &queue, 1), 0) << "errno " << errno;

  // One online event for each device of the default terminal.
  const std::vector<MSG> online = Pump(window_, 13);
  ASSERT_EQ(online.size(), 13u);
  for (const MSG& message : online) EXPECT_EQ(message.message, POSM_SYS_DEVICE_ONLINE);

  const std::int32_t scanner = PosOpen("DEVNAME", "PosScanner", nullptr, 0);
  ASSERT_GT(scanner, 0) << "errno " << errno;
  ASSERT_EQ(Posimctl("scan 4006381333931"), 0u);
  const std::vector<MSG> scanned = Pump(window_, 1);
  ASSERT_EQ(scanned.size(), 1u);
  EXPECT_EQ(scanned[0].message, POSM_SCAN_DATA_AVAIL);
  EXPECT_EQ(scanned[0].wParam & 0xFF, static_cast<WPARAM>(scanner));
  char label[80] = {};
  EXPECT_EQ(PosRead(scanner, label, sizeof label), 13);
  EXPECT_STREQ(label, "4006381333931");
}

TEST_F(BindingWin32Test, NoLibraryGives337WithoutASystemBox) {
  SetErrorMode(0);
  SetLibraryFileForTesting("posapi_missing_library.dll");
  errno = 0;
  ResourcePair queue = {"queueHandle", reinterpret_cast<std::uintptr_t>(window_)};
  EXPECT_EQ(PosInitialize("RIDOZOD", "", 0, 0, &queue, 1), -1);
  EXPECT_EQ(errno, 337);
  EXPECT_EQ(GetErrorMode(), 0u) << "the process's error mode is restored";

  // The mode while a library loads, as the library itself sees it.
  SetLibraryFileForTesting("posapi_testlib.dll");
  ASSERT_EQ(PosInitialize("RIDOZOD", "", 0, 0, &queue, 1), 0);
  using ErrorModeFn = std::uint32_t(POS_API_CALL*)();
  const auto error_mode = reinterpret_cast<ErrorModeFn>(
      FindLibraryEntry(GetModuleHandleA("posapi_testlib.dll"), "TestLib_ErrorModeAtLoad"));
  ASSERT_NE(error_mode, nullptr);
  EXPECT_EQ(error_mode(), static_cast<std::uint32_t>(SEM_NOOPENFILEERRORBOX));
  EXPECT_EQ(GetErrorMode(), 0u);
}

}  // namespace
}  // namespace posapi
