// posimctl play [--check] FILE: a scenario (scenario.h), checked whole before
// anything is played, then each action sent at its time; Ctrl-C stops it
// between two actions. The same on every host: the waits are the stream's
// (control_client.h).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>

#include "posim/posimctl/posimctl.h"
#include "posim/posimctl/scenario.h"

namespace posimctl {

namespace {

using Clock = std::chrono::steady_clock;
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

class Player {
 public:
  // trace: the stream of calls and events that waits look at, none open
  // when the scenario does not wait.
  Player(const Endpoint& endpoint, const std::vector<ScenarioStep>& steps, Stream& trace)
      : endpoint_(endpoint), steps_(steps), trace_(trace) {
    Keep();
  }

  // 0 when every action succeeded, 1 when some failed, 130 when stopped.
  int Run() {
    start_ = Clock::now();
    origins_.push_back(0);
    std::vector<std::int64_t> rounds;
    for (std::size_t i = 0; i < steps_.size() && !Stopped() && !ended_; ++i) {
      const ScenarioStep& step = steps_[i];
      if (step.kind == ScenarioStep::Kind::kEnd) {
        if (--rounds.back() > 0) {
          origins_.back() = last_;
          i = step.partner;
        } else {
          rounds.pop_back();
          origins_.pop_back();
        }
        continue;
      }
      last_ = std::max(last_, (step.relative ? last_ : origins_.back()) + step.ms);
      if (!SleepUntil(last_)) break;
      switch (step.kind) {
        case ScenarioStep::Kind::kRepeat:
          rounds.push_back(step.count);
          origins_.push_back(last_);
          break;
        case ScenarioStep::Kind::kWaitFor:
          if (Wait(step)) origins_.back() = last_;
          break;
        default:
          Act(step);
      }
    }
    const double seconds = static_cast<double>(Elapsed()) / 1000.0;
    if (Stopped()) {
      std::printf("stopped after %.3f s (%d actions, %d failed)\n", seconds, actions_, failed_);
      return 130;
    }
    if (ended_) {
      std::printf("the POS session ended after %.3f s (%d actions, %d failed)\n", seconds, actions_,
                  failed_);
      return 1;
    }
    std::printf("done in %.3f s: %d actions, %d failed\n", seconds, actions_, failed_);
    return failed_ == 0 ? 0 : 1;
  }

 private:
  std::int64_t Elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
  }

  void Say(const ScenarioStep& step, const std::string& text) {
    std::printf("%8.3f  line %-4d %s\n", static_cast<double>(Elapsed()) / 1000.0, step.line,
                text.c_str());
    std::fflush(stdout);
  }

  // Sleeps until the scenario's time at ms, reading the trace meanwhile;
  // false when stopped.
  bool SleepUntil(std::int64_t ms) {
    while (true) {
      const std::int64_t left = ms - Elapsed();
      if (left <= 0) return !Stopped();
      if (!Drain(static_cast<long>(left))) return false;
    }
  }

  // Waits up to ms (-1: no limit) for trace lines and keeps those that
  // came; false when stopped or the session ended.
  bool Drain(long ms) {
    switch (trace_.Await(ms)) {
      case Stream::Waited::kStopped:
        return false;
      case Stream::Waited::kEnded:
        ended_ = true;
        return false;
      default:
        Keep();
        return true;
    }
  }

  void Keep() {
    for (std::string line; trace_.Next(line);) seen_.push_back(line);
  }

  void Act(const ScenarioStep& step) {
    ++actions_;
    Say(step, step.text);
    std::string reply, error;
    if (!posimctl::Request(endpoint_, step.text, reply, error)) {
      reply = "error: " + error + "\n";
    }
    const std::size_t body = reply.find('\n');
    if (reply.rfind("ok", 0) == 0) {
      if (body != std::string::npos) std::fputs(reply.c_str() + body + 1, stdout);
      return;
    }
    ++failed_;
    std::fprintf(stderr, "line %d: %s", step.line, reply.c_str());
  }

  bool Wait(const ScenarioStep& step) {
    Say(step, "waiting for " + step.text);
    while (true) {
      for (; next_seen_ < seen_.size(); ++next_seen_) {
        if (posim::WaitMatches(step.wait, seen_[next_seen_])) {
          last_ = Elapsed();
          Say(step, "... " + seen_[next_seen_++]);
          return true;
        }
      }
      if (!Drain(-1)) return false;
    }
  }

  const Endpoint& endpoint_;
  const std::vector<ScenarioStep>& steps_;
  Stream& trace_;
  std::vector<std::string> seen_;  // trace lines, in order
  std::size_t next_seen_ = 0;      // the first that no wait has looked at
  Clock::time_point start_;
  std::int64_t last_ = 0;  // the time of the step before, from the start
  std::vector<std::int64_t> origins_;
  int actions_ = 0;
  int failed_ = 0;
  bool ended_ = false;  // the trace stream ended with the session
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
  return Player(endpoint, steps, trace).Run();
}

}  // namespace posimctl
