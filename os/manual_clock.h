// A clock for tests: its time moves only when the test advances it, so that
// what depends on time passing (a batch's time, a frame interval) happens at
// the same step on every run, however loaded the machine. Callable from any
// thread.
#pragma once

#include <chrono>
#include <mutex>

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
  // The time advanced since the start.
  Duration Elapsed() const { return Now() - kStart; }

 private:
  mutable std::mutex mutex_;
  TimePoint now_ = kStart;
};

}  // namespace os
