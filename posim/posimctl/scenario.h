// Scenarios for "posimctl play": a plain text file of timed device actions,
// one a line.
//
//   # a comment; a word that begins with # ends the words of a line
//   0.0 online @SCANNER1          at 0 s
//   0.5 scan 4006381333931        at 0.5 s
//   +0.2 key 0x1c                 0.2 s after the line before
//   repeat 3 {                    the lines up to "}" three times
//     +1 scan 4006381333931
//   }
//   wait-for open scanner         until the program opens the scanner
//   wait-for POSM_TILL_OPENED     until the library posts that event
//
// Times are seconds with up to three decimals. A time without "+" counts from
// the start of the scenario, of the round of the repeat it stands in, or of
// the end of the last wait-for in its block; a line without a time comes
// right after the line before. Such times never go back within a block. An
// action is a posimctl command line (posimctl help); the simulator checks its
// words before anything is played.
//
// wait-for CALL [WORD] waits for a successful call of an entry (open, close,
// ioctl, read, write, initialize, term, version) whose trace line holds WORD
// (any case: a device name, a class, a request name ...); wait-for EVENT for
// an event (POSM_ name or number). Only what happens after the scenario
// started, or after the last wait-for, counts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "posim/devices/faults.h"

namespace posim {

struct WaitTarget {
  bool event = false;
  std::uint32_t message = 0;   // events
  Entry entry = Entry::kOpen;  // calls
  std::string word;            // calls: what the trace line holds, or empty
};

struct ScenarioStep {
  enum class Kind { kAction, kWaitFor, kRepeat, kEnd };
  Kind kind = Kind::kAction;
  int line = 0;  // in the file, from 1
  bool relative = true;
  std::int64_t ms = 0;      // the time, from the origin or from the step before
  std::string text;         // the action's command line; the wait's words
  WaitTarget wait;          // kWaitFor
  std::int64_t count = 0;   // kRepeat: rounds
  std::size_t partner = 0;  // kRepeat: its kEnd; kEnd: its kRepeat
};

inline constexpr std::size_t kMaxScenarioSize = 1 << 20;
inline constexpr std::int64_t kMaxRepeat = 100000;
inline constexpr std::int64_t kMaxScenarioMs = 24LL * 3600 * 1000;
inline constexpr int kMaxNesting = 8;

// The steps of a scenario; false with one error a bad line ("line 3: ...").
bool ParseScenario(std::string_view text, std::vector<ScenarioStep>& steps,
                   std::vector<std::string>& errors);

// Whether a line of the trace stream (trace events) is what a wait waits for.
bool WaitMatches(const WaitTarget& target, std::string_view trace_line);

}  // namespace posim
