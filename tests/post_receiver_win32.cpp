#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <future>
#include <mutex>
#include <thread>

#include "port/post_queue.h"
#include "tests/post_receiver.h"

namespace session {

namespace {

// Posted behind everything else to tell when the queue before it is taken.
constexpr UINT kFlushMark = WM_APP + 0x3FFF;

HWND MakeMessageWindow() {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "session_post_receiver";
  RegisterClassA(&window_class);  // fails harmlessly when already registered
  return CreateWindowExA(0, window_class.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         window_class.hInstance, nullptr);
}

}  // namespace

struct PostReceiver::Impl {
  Impl() {
    std::promise<HWND> made;
    std::future<HWND> window_made = made.get_future();
    thread = std::thread([this, &made] { Run(made); });
    window = window_made.get();
  }
  ~Impl() {
    PostThreadMessageA(thread_id, WM_QUIT, 0, 0);
    thread.join();
  }

  void Run(std::promise<HWND>& made) {
    thread_id = GetCurrentThreadId();
    HWND own = MakeMessageWindow();
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists now
    made.set_value(own);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (message.hwnd == own && message.message == kFlushMark) {
        std::lock_guard<std::mutex> lock(mutex);
        taken = static_cast<std::uint64_t>(message.wParam);
        flushed.notify_all();
      } else if (message.hwnd == own && message.message >= WM_USER) {
        // Device events carry 32-bit parameters.
        ui::PostToWindow(reinterpret_cast<ui::WindowHandle>(own), message.message,
                         static_cast<std::uint32_t>(message.wParam),
                         static_cast<std::uint32_t>(message.lParam));
      } else {
        DispatchMessageA(&message);
      }
    }
    DestroyWindow(own);
  }

  std::thread thread;
  DWORD thread_id = 0;
  HWND window = nullptr;
  std::mutex mutex;
  std::condition_variable flushed;
  std::uint64_t asked = 0;
  std::uint64_t taken = 0;
};

PostReceiver::PostReceiver() : impl_(std::make_unique<Impl>()) {}
PostReceiver::~PostReceiver() = default;

ui::WindowHandle PostReceiver::window() const {
  return reinterpret_cast<ui::WindowHandle>(impl_->window);
}

void PostReceiver::Flush() {
  std::unique_lock<std::mutex> lock(impl_->mutex);
  const std::uint64_t mark = ++impl_->asked;
  if (!PostMessageA(impl_->window, kFlushMark, static_cast<WPARAM>(mark), 0)) return;
  impl_->flushed.wait(lock, [&] { return impl_->taken >= mark; });
}

}  // namespace session
