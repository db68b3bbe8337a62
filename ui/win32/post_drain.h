// The device events posted to the main window, taken off the thread's
// message queue as soon as one of them is dispatched and handled in batches
// of a few milliseconds. The system queue stays short (a Windows queue holds
// 10,000 messages; a library posting into a full one is refused), input and
// menu commands queued behind a flood are served between two batches, and
// the windows are painted a few times a second instead of the CommandLog
// once a line.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>

#include "port/port.h"

namespace win32 {

class PostDrain {
 public:
  // The window the events are posted to, the list box that their handling
  // fills, and the range of their codes.
  void Attach(HWND window, HWND log, UINT first, UINT last) {
    window_ = window;
    log_ = log;
    first_ = first;
    last_ = last;
  }

  // The message the window posts itself to go on with the next batch.
  static constexpr UINT kContinue = WM_APP + 0x20;

  // A device event the window received: it, and every one queued behind it,
  // wait in order; a batch of them is handled now if handling may go on
  // (fewer than the most modal windows are open), else they wait for Wake.
  void Take(UINT message, WPARAM wparam, LPARAM lparam, ui::MainWindowProc& proc, bool may_handle);
  // kContinue arrived: the next batch.
  void Continue(ui::MainWindowProc& proc, bool may_handle);
  // The timer that draws the log once it is due a paint after a flood paused.
  static constexpr UINT_PTR kRedrawTimer = 0x5244;
  // kRedrawTimer fired.
  void RedrawDue();
  // A modal window closed: events that wait go on with a continuation.
  void Wake();
  // While on, device events are taken as the window system hands them out,
  // before any modal loop sees them: a loop whose window another program
  // ends with a sent message takes one more message and drops it. Each
  // message handed out then costs a call of the hook (under Wine, a round
  // trip to its server), so it is on only once such an end may come.
  void Guard(bool on);
  // The program ends: what waits is not handled.
  void Clear() {
    Guard(false);
    pending_.clear();
  }
  ~PostDrain() { Guard(false); }

 private:
  struct Event {
    std::uint32_t message, wparam, lparam;
  };
  // An event waits behind those taken before it.
  void Hold(UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK OnGetMessage(int code, WPARAM removed, LPARAM message);
  // Takes queued events off the system queue until the time is up.
  void Pull(ULONGLONG end);
  void Batch(ui::MainWindowProc& proc, bool may_handle);
  void PostContinue();
  // Turns the log's redrawing off or on (and marks it for a paint).
  void Redraw(bool on);
  // Posted messages come before painting: during a flood nothing would be
  // painted. Every window of the thread (the main window and its log, a
  // dialog or box open over it) is painted here, once every few tens of
  // milliseconds.
  void PaintIfDue();
  // The log's redrawing on, and the windows painted if they are due.
  void ShowLog();

  UINT first_ = 0, last_ = 0;
  HWND window_ = nullptr;
  HWND log_ = nullptr;
  std::deque<Event> pending_;
  HHOOK hook_ = nullptr;
  // The drain whose hook is set: one per thread that runs a main window.
  static thread_local PostDrain* guarded_;
  bool continue_posted_ = false;
  bool redraw_off_ = false;
  ULONGLONG last_paint_ = 0;
};

}  // namespace win32
