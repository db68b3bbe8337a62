// The fixture of the Windows end-to-end cases: it starts ridozod.exe from the
// run folder, drives it through the window driver and checks what the
// CommandLog and the message boxes say.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "resources/templates.h"
#include "tests/win32/window_driver.h"

namespace e2e {

// The run folder: ridozod.exe, vekapi32.dll, posimctl.exe, the list files.
extern std::string g_run;

inline std::string RunPath(const std::string& name) {
  return g_run + "\\" + name;
}

// A file of the run folder, its bytes as they are; nothing when it cannot be read.
inline std::optional<std::string> ReadRunFile(const std::string& name) {
  std::FILE* f = std::fopen(RunPath(name).c_str(), "rb");
  if (!f) return std::nullopt;
  std::string bytes;
  char chunk[512];
  std::size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  std::fclose(f);
  return bytes;
}

// Runs posimctl.exe of the run folder with these words.
inline drive::Ran Posimctl(const std::string& words) {
  return drive::RunToEnd("\"" + g_run + "\\posimctl.exe\" " + words, g_run);
}

using drive::Box;

inline std::string Join(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& l : lines) all += "  [" + l + "]\n";
  return all;
}

// Whether the wanted lines stand in the log in this order (others between them).
inline bool InOrder(const std::vector<std::string>& log, const std::vector<std::string>& wanted) {
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

}  // namespace e2e
