// The fixture's window on Windows: a real window of the test's thread, to
// which the library posts through USER32's PostMessageA from its own thread.
// Its messages are taken in when the fixture waits for posts.
#include <windows.h>

#include <thread>

#include "posim/tests/library_fixture.h"

namespace posim_test {

// A message-only window: a real window that needs no display.
std::uintptr_t MakeTestWindow() {
  constexpr const char* kClass = "posim_test_window";
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = kClass;
  RegisterClassA(&window_class);  // fails harmlessly the second time
  HWND window = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                window_class.hInstance, nullptr);
  EXPECT_NE(window, nullptr) << "CreateWindowExA: error " << GetLastError();
  return reinterpret_cast<std::uintptr_t>(window);
}

// All messages of the test's windows. A posted message does not tell the
// thread that posted it.
void PumpPosts() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    RecordPost({reinterpret_cast<std::uintptr_t>(message.hwnd), message.message,
                static_cast<std::uintptr_t>(message.wParam),
                static_cast<std::intptr_t>(message.lParam), std::thread::id()});
  }
}

}  // namespace posim_test
