// posimctl play [--check] FILE: a scenario (scenario.h), checked whole before
// anything is played, then each action sent at its time; Ctrl-C stops it
// between two actions. The same on every host: the waits are the stream's
// (control_client.h).
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>

#include "posim/posimctl/posimctl.h"
#include "posim/posimctl/scenario.h"
#include "posim/posimctl/scenario_player.h"

namespace posimctl {

namespace {

using posim::ScenarioStep;

bool ReadScenario(const std::string& file, std::string& text) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  text.assign(posim::kMaxScenarioSize + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return true;
}

// The simulator's word on every action: errors, "FILE:LINE: ..." each.
bool CheckActions(const Endpoint& endpoint, const std::string& file,
                  const std::vector<ScenarioStep>& steps, std::vector<std::string>& errors) {
  std::set<std::string> good;
  for (const ScenarioStep& step : steps) {
    if (step.kind != ScenarioStep::Kind::kAction || good.count(step.text) != 0) continue;
    std::string reply, error;
    if (!posimctl::Request(endpoint, "check " + step.text, reply, error)) {
      std::fprintf(stderr, "posimctl: %s\n", error.c_str());
      return false;
    }
    if (reply.rfind("ok", 0) == 0) {
      good.insert(step.text);
    } else {
      if (!reply.empty() && reply.back() == '\n') reply.pop_back();
      errors.push_back(file + ":" + std::to_string(step.line) + ": " + reply);
    }
  }
  return true;
}

// The player's link to the simulator: requests on the channel, the trace
// stream that waits look at (none open when the scenario does not wait).
class ChannelLink : public PlayerLink {
 public:
  ChannelLink(const Endpoint& endpoint, Stream& trace) : endpoint_(endpoint), trace_(trace) {}
  bool Request(const std::string& line, std::string& reply, std::string& error) override {
    return posimctl::Request(endpoint_, line, reply, error);
  }
  Stream::Waited Await(long ms) override { return trace_.Await(ms); }
  bool Next(std::string& line) override { return trace_.Next(line); }
  bool Stopped() override { return posimctl::Stopped(); }

 private:
  const Endpoint& endpoint_;
  Stream& trace_;
};

}  // namespace

int Play(const Endpoint& endpoint, const std::vector<std::string>& words) {
  const bool check_only = !words.empty() && words[0] == "--check";
  if (words.size() != (check_only ? 2u : 1u)) {
    std::fprintf(stderr, "usage: posimctl play [--check] FILE\n");
    return 2;
  }
  const std::string& file = words.back();
  std::string text;
  if (!ReadScenario(file, text)) {
    std::perror(("posimctl: " + file).c_str());
    return 2;
  }
  std::vector<ScenarioStep> steps;
  std::vector<std::string> errors;
  posim::ParseScenario(text, steps, errors);
  for (std::string& error : errors) {
    error = error.rfind("line ", 0) == 0 ? file + ":" + error.substr(5) : file + ": " + error;
  }
  if (!CheckActions(endpoint, file, steps, errors)) return 2;
  if (!errors.empty()) {
    for (const std::string& error : errors) std::fprintf(stderr, "%s\n", error.c_str());
    std::fprintf(stderr, "%s: %zu bad %s; nothing was played\n", file.c_str(), errors.size(),
                 errors.size() == 1 ? "line" : "lines");
    return 2;
  }
  if (check_only) {
    std::printf("%s: good, %zu steps\n", file.c_str(), steps.size());
    return 0;
  }
  CatchStops();
  Stream trace;
  const bool waits = std::any_of(steps.begin(), steps.end(), [](const ScenarioStep& step) {
    return step.kind == ScenarioStep::Kind::kWaitFor;
  });
  if (waits && !trace.Open(endpoint, "trace events")) return Stopped() ? 130 : 2;
  std::printf("playing %s (Ctrl-C stops it)\n", file.c_str());
  std::fflush(stdout);
  ChannelLink link(endpoint, trace);
  return PlayScenario(steps, link, os::SteadyClock(), stdout, stderr);
}

}  // namespace posimctl
