// A clock for tests: its time moves only when the test advances it, so that
// what depends on time passing (a batch's time, a frame interval) happens at
// the same step on every run, however loaded the machine. Callable from any
// thread. Its waits look at it every millisecond of real time, and a test
// can wait until the code under test waits (AwaitWaits).
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "os/clock.h"

namespace os {

class ManualClock : public Clock {
 public:
  // Far from the zero time point, as a steady clock's reading is: a time
  // kept as "never" (zero) lies long in the past.
  static constexpr TimePoint kStart = TimePoint(std::chrono::hours(1));

  TimePoint Now() const override {
    std::lock_guard lock(mutex_);
    return now_;
  }
  void Advance(Duration d) {
    std::lock_guard lock(mutex_);
    now_ += d;
  }
  bool WaitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                 TimePoint deadline) const override {
    CountWait();
    wake.wait_for(lock, std::chrono::milliseconds(1));
    return Now() >= deadline;
  }
  void Sleep(Duration d) const override {
    CountWait();
    const TimePoint until = Now() + d;
    while (Now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  // Returns once count more waits (or sleeps) have begun: the code under
  // test has looked at the time since the call, and waits again.
  void AwaitWaits(int count) const {
    int until;
    {
      std::lock_guard lock(mutex_);
      until = waits_ + count;
    }
    while (true) {
      {
        std::lock_guard lock(mutex_);
        if (waits_ >= until) return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  // The time advanced since the start.
  Duration Elapsed() const { return Now() - kStart; }

 private:
  void CountWait() const {
    std::lock_guard lock(mutex_);
    ++waits_;
  }

  mutable std::mutex mutex_;
  TimePoint now_ = kStart;
  mutable int waits_ = 0;
};

}  // namespace os
