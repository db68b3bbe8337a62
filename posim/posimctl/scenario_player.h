// Plays a checked scenario (scenario.h): each action sent at its time on the
// given clock, each wait-for answered by the trace lines that come. What it
// talks to is a link, the control channel in posimctl (posimctl_play.cpp).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "os/clock.h"
#include "posim/posimctl/control_client.h"
#include "posim/posimctl/scenario.h"

namespace posimctl {

class PlayerLink {
 public:
  virtual ~PlayerLink() = default;
  // One command and its whole reply; false with the reason when none came.
  virtual bool Request(const std::string& line, std::string& reply, std::string& error) = 0;
  // Waits up to ms milliseconds (-1: no limit) for trace lines.
  virtual Stream::Waited Await(long ms) = 0;
  // The next trace line that has come, without its line end.
  virtual bool Next(std::string& line) = 0;
  // Whether a stop (Ctrl-C) came.
  virtual bool Stopped() = 0;
};

// What each action does goes to out as it happens, failures to err.
// 0 when every action succeeded, 1 when some failed or the session ended,
// 130 when stopped.
int PlayScenario(const std::vector<posim::ScenarioStep>& steps, PlayerLink& link,
                 const os::Clock& clock, std::FILE* out, std::FILE* err);

}  // namespace posimctl
