// The tests' way to run posimctl in the tests' folder and wait for its end,
// on every host (posimctl_test.cpp, control_channel_win32_test.cpp).
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
