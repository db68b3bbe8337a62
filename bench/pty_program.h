// A program running in a pseudo-terminal of our own, with the emulated
// screen of what it wrote: keys go in as a terminal sends them, the screen
// is read as a person would read it, and every wait is bounded.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/vt_screen.h"

namespace bench {

using Clock = std::chrono::steady_clock;

// Key sequences of TERM=xterm (the keypad in application mode, as curses sets it).
namespace keys {
inline constexpr std::string_view kF10 = "\033[21~";
inline constexpr std::string_view kUp = "\033OA";
inline constexpr std::string_view kDown = "\033OB";
inline constexpr std::string_view kHome = "\033OH";
inline constexpr std::string_view kEnd = "\033OF";
inline constexpr std::string_view kPageUp = "\033[5~";
inline constexpr std::string_view kPageDown = "\033[6~";
inline constexpr std::string_view kEnter = "\r";
inline constexpr std::string_view kTab = "\t";
inline constexpr std::string_view kEscape = "\033";
inline constexpr std::string_view kAltL = "\033l";
inline constexpr std::string_view kAltM = "\033m";
}  // namespace keys

struct PtyOptions {
  std::string program;  // run from its own folder
  int width = 80, height = 24;
  std::vector<std::string> environment;  // NAME=VALUE, added to ours
  int pass_fd = -1;                      // given to the program as descriptor 3
  bool ignore_hangup = false;            // SIGHUP ignored, as under nohup
  std::vector<std::string> wrapper;      // a command that runs the program (valgrind ...)
};

class PtyProgram {
 public:
  using Predicate = std::function<bool(const VtScreen&)>;

  PtyProgram() : screen_(80, 24) {}
  ~PtyProgram();
  PtyProgram(const PtyProgram&) = delete;
  PtyProgram& operator=(const PtyProgram&) = delete;

  // Starts the program; false (with the reason in *error) when it cannot.
  bool Start(const PtyOptions& options, std::string* error);
  Clock::time_point started() const { return started_; }
  pid_t pid() const { return pid_; }

  void Send(std::string_view bytes);
  const VtScreen& screen() const { return screen_; }

  // Reads what the program writes until the screen satisfies the predicate:
  // the time of the read that made it so, or nothing after timeout_ms.
  std::optional<Clock::time_point> WaitFor(const Predicate& done, int timeout_ms);
  std::optional<Clock::time_point> WaitForText(std::string_view text, int timeout_ms);
  // Reads once, waiting at most timeout_ms: the time of the read, nothing
  // when nothing came.
  std::optional<Clock::time_point> Read(int timeout_ms);
  // Reads until the program has written nothing for quiet_ms (at most timeout_ms).
  void WaitQuiet(int quiet_ms, int timeout_ms);

  // The terminal takes a new size (the program gets SIGWINCH).
  void Resize(int width, int height);
  // The terminal goes away: our side of it is closed.
  void Hangup();

  // The program's resident memory in bytes, 0 once it has ended.
  long ResidentBytes() const;
  // Waits for the end: the wait status, or nothing after timeout_ms.
  std::optional<int> WaitExit(int timeout_ms);
  // CPU time the program has used, in seconds (0 once it has ended).
  double CpuSeconds() const;
  void Kill();

 private:
  int master_ = -1;
  pid_t pid_ = -1;
  Clock::time_point started_;
  VtScreen screen_;
};

// The rows of the screen as one text, for reports of what was shown.
std::string ScreenText(const VtScreen& screen);

}  // namespace bench
