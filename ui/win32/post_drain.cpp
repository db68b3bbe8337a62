#include "ui/win32/post_drain.h"

namespace win32 {

namespace {

// A batch ends after this long, so that what waits behind it is served soon.
constexpr ULONGLONG kBatchMs = 8;

}  // namespace

void PostDrain::Take(UINT message, WPARAM wparam, LPARAM lparam, ui::MainWindowProc& proc) {
  pending_.push_back(
      {message, static_cast<std::uint32_t>(wparam), static_cast<std::uint32_t>(lparam)});
  Batch(proc);
}

void PostDrain::Continue(ui::MainWindowProc& proc) {
  continue_posted_ = false;
  Batch(proc);
}

void PostDrain::Pull() {
  MSG m;
  while (PeekMessageA(&m, window_, first_, last_, PM_REMOVE))
    pending_.push_back(
        {m.message, static_cast<std::uint32_t>(m.wParam), static_cast<std::uint32_t>(m.lParam)});
}

void PostDrain::Batch(ui::MainWindowProc& proc) {
  Pull();
  const ULONGLONG end = GetTickCount64() + kBatchMs;
  // A handler may open a message box whose loop dispatches more events: they
  // join the same queue and are taken from its front, so the order holds.
  for (unsigned n = 1; !pending_.empty(); ++n) {
    if (n % 64 == 0) {
      if (GetTickCount64() >= end) break;
      Pull();
    }
    const Event e = pending_.front();
    pending_.pop_front();
    if (pending_.size() >= 16) Redraw(false);
    proc.OnPosted(e.message, e.wparam, e.lparam);
  }
  Redraw(true);
  if (!pending_.empty() && !continue_posted_)
    continue_posted_ = PostMessageA(window_, kContinue, 0, 0) != FALSE;
}

void PostDrain::Redraw(bool on) {
  if (!log_ || redraw_off_ == !on) return;
  redraw_off_ = !on;
  SendMessageA(log_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on) InvalidateRect(log_, nullptr, TRUE);
}

}  // namespace win32
