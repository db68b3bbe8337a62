// Where the time comes from, for code whose behaviour depends on how much of
// it passes: the steady clock in the program, a clock that a test moves by
// hand (os/manual_clock.h) in tests.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace os {

class Clock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  using Duration = std::chrono::steady_clock::duration;

  virtual ~Clock() = default;
  virtual TimePoint Now() const = 0;
  // Waits on wake with lock held until it is notified or the deadline of
  // this clock passes; true when the deadline has passed. It may return
  // early, as a condition variable may.
  virtual bool WaitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                         TimePoint deadline) const = 0;
  virtual void Sleep(Duration d) const = 0;
};

// The steady clock, shared by everyone who takes the default.
inline const Clock& SteadyClock() {
  class Steady final : public Clock {
   public:
    TimePoint Now() const override { return std::chrono::steady_clock::now(); }
    bool WaitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                   TimePoint deadline) const override {
      return wake.wait_until(lock, deadline) == std::cv_status::timeout;
    }
    void Sleep(Duration d) const override { std::this_thread::sleep_for(d); }
  };
  static const Steady clock;
  return clock;
}

}  // namespace os
