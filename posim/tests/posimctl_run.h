// The tests' ways to reach the control channel on every host: posimctl run in
// the tests' folder until its end, and one raw exchange on a connection of its
// own (posimctl_test.cpp and control_channel_test.cpp on POSIX hosts,
// control_channel_win32_test.cpp on Windows).
#pragma once

#include <string>
#include <thread>
#include <vector>

namespace posim_test {

struct PosimctlRun {
  int exit_code;
  std::string output;  // stdout and stderr, line ends as "\n"
};

PosimctlRun RunPosimctl(const std::vector<std::string>& words);

// Sends bytes, ends the sending side (on a socket) and reads the whole reply;
// "no connection" when there is nobody to connect to.
std::string ExchangeOnChannel(const std::string& bytes);

// A shipped scenario's path.
inline std::string Scenario(const char* name) {
  return std::string(SCENARIO_DIR) + "/" + name;
}

// Plays a scenario on a thread of its own.
struct Playing {
  explicit Playing(const std::string& file)
      : thread([this, file] {
          done = RunPosimctl({"play", file});
        }) {}
  PosimctlRun Wait() {
    thread.join();
    return done;
  }
  PosimctlRun done{};
  std::thread thread;
};

}  // namespace posim_test
