// Where the time comes from, for code whose behaviour depends on how much of
// it passes: the steady clock in the program, a clock that a test moves by
// hand (os/manual_clock.h) in tests.
#pragma once

#include <chrono>

namespace os {

class Clock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  using Duration = std::chrono::steady_clock::duration;

  virtual ~Clock() = default;
  virtual TimePoint Now() const = 0;
};

// The steady clock, shared by everyone who takes the default.
inline const Clock& SteadyClock() {
  class Steady final : public Clock {
   public:
    TimePoint Now() const override { return std::chrono::steady_clock::now(); }
  };
  static const Steady clock;
  return clock;
}

}  // namespace os
