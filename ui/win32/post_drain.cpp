#include "ui/win32/post_drain.h"

namespace win32 {

namespace {

// A batch ends after this long, so that what waits behind it is served soon.
constexpr ULONGLONG kBatchMs = 8;
// Events taken off the system queue at once, at most: while threads keep
// posting, taking them all would never end.
constexpr int kPullAtOnce = 1024;
// While events keep coming the windows are painted this often.
constexpr ULONGLONG kPaintMs = 50;

BOOL CALLBACK PaintNow(HWND window, LPARAM) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return TRUE;
}

}  // namespace

thread_local PostDrain* PostDrain::guarded_ = nullptr;

void PostDrain::Hold(UINT message, WPARAM wparam, LPARAM lparam) {
  pending_.push_back(
      {message, static_cast<std::uint32_t>(wparam), static_cast<std::uint32_t>(lparam)});
}

void PostDrain::Take(UINT message, WPARAM wparam, LPARAM lparam, ui::MainWindowProc& proc,
                     bool may_handle) {
  Hold(message, wparam, lparam);
  Batch(proc, may_handle);
}

void PostDrain::Continue(ui::MainWindowProc& proc, bool may_handle) {
  continue_posted_ = false;
  Batch(proc, may_handle);
}

void PostDrain::Pull(ULONGLONG end) {
  MSG m;
  for (int n = 0; n < kPullAtOnce && GetTickCount64() < end &&
                  PeekMessageA(&m, window_, first_, last_, PM_REMOVE);
       ++n)
    // With the hook set it has taken the event already.
    if (m.message >= first_ && m.message <= last_) Hold(m.message, m.wParam, m.lParam);
}

void PostDrain::Guard(bool on) {
  if (on == (hook_ != nullptr)) return;
  if (on) {
    hook_ = SetWindowsHookExA(WH_GETMESSAGE, &OnGetMessage, nullptr, GetCurrentThreadId());
    if (hook_) guarded_ = this;
  } else {
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    guarded_ = nullptr;
  }
}

LRESULT CALLBACK PostDrain::OnGetMessage(int code, WPARAM removed, LPARAM message) {
  auto* m = reinterpret_cast<MSG*>(message);
  PostDrain* self = guarded_;
  if (code == HC_ACTION && removed == PM_REMOVE && self && m->hwnd == self->window_ &&
      m->message >= self->first_ && m->message <= self->last_) {
    self->Hold(m->message, m->wParam, m->lParam);
    self->PostContinue();
    // What the loop dispatches, or drops, is nothing.
    m->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, removed, message);
}

void PostDrain::Batch(ui::MainWindowProc& proc, bool may_handle) {
  const ULONGLONG start = GetTickCount64(), end = start + kBatchMs;
  // Taking events costs a call each; most of the batch is for handling them.
  Pull(start + kBatchMs / 4);
  // With the most modal windows open nothing is handled (no box nests in the
  // last one) and no continuation is posted: Wake does it when one closes.
  // Taking them off the system queue still keeps it short.
  if (!may_handle) {
    ShowLog();
    return;
  }
  for (unsigned n = 1; !pending_.empty(); ++n) {
    if (n % 64 == 0) {
      if (GetTickCount64() >= end) break;
      if (pending_.size() < 64) Pull(end);
    }
    const Event e = pending_.front();
    pending_.pop_front();
    if (pending_.size() >= 16) Redraw(false);
    // A handler may open a message box, whose loop goes on with the next
    // events (they are handled while a box is open): a continuation waits in
    // the queue for it. Nested batches take from the same front, in order.
    PostContinue();
    proc.OnPosted(e.message, e.wparam, e.lparam);
  }
  if (pending_.empty() && HIWORD(GetQueueStatus(QS_POSTMESSAGE)) == 0) {
    // The flood paused. Turning the log's redrawing on repaints its caption,
    // frame and scroll bars, which costs more than a batch of lines: a log
    // painted a moment ago is drawn again when it is due, unless the next
    // batch comes first (a library posting at a steady rate).
    const ULONGLONG since = GetTickCount64() - last_paint_;
    if (!redraw_off_ || since >= kPaintMs)
      ShowLog();
    else
      SetTimer(window_, kRedrawTimer, static_cast<UINT>(kPaintMs - since), nullptr);
    return;
  }
  // During a flood the queue always holds posted messages, and Windows
  // hands them out first and in order: menu commands and input that wait
  // are served here, between two batches, with the log drawn.
  MSG m;
  if (PeekMessageA(&m, window_, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) ||
      PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_INPUT)) {
    Redraw(true);
    while (PeekMessageA(&m, window_, WM_COMMAND, WM_COMMAND, PM_REMOVE) ||
           PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  } else if (GetTickCount64() - last_paint_ >= kPaintMs) {
    // While events keep coming the log is drawn when it is due a paint.
    ShowLog();
  }
  PostContinue();
}

void PostDrain::Wake() {
  // A modal loop whose window was ended by a message sent from outside (a
  // box closed by another program) takes one more message and drops it: the
  // continuation posted before may be gone, and the events would wait for
  // the next one to arrive.
  MSG m;
  if (continue_posted_ && !PeekMessageA(&m, window_, kContinue, kContinue, PM_NOREMOVE))
    continue_posted_ = false;
  PostContinue();
}

void PostDrain::RedrawDue() {
  KillTimer(window_, kRedrawTimer);
  ShowLog();
}

void PostDrain::ShowLog() {
  Redraw(true);
  PaintIfDue();
}

void PostDrain::PostContinue() {
  if (!pending_.empty() && !continue_posted_ && IsWindow(window_))
    continue_posted_ = PostMessageA(window_, kContinue, 0, 0) != FALSE;
}

void PostDrain::Redraw(bool on) {
  if (!log_ || redraw_off_ == !on) return;
  redraw_off_ = !on;
  SendMessageA(log_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on) InvalidateRect(log_, nullptr, TRUE);
}

void PostDrain::PaintIfDue() {
  const ULONGLONG now = GetTickCount64();
  if (now - last_paint_ < kPaintMs) return;
  last_paint_ = now;
  EnumThreadWindows(GetCurrentThreadId(), &PaintNow, 0);
}

}  // namespace win32
