// The fixture of tests that open real windows: they need a display (Wine on
// Xvfb); without one they are skipped and say why.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

namespace win32 {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HWND probe = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (!probe) GTEST_SKIP() << "no display to open windows on (run under Xvfb)";
    DestroyWindow(probe);
  }
};

}  // namespace win32
