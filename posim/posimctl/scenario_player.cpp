#include "posim/posimctl/scenario_player.h"

#include <algorithm>
#include <cstdint>

namespace posimctl {

namespace {

using posim::ScenarioStep;

class Player {
 public:
  Player(const std::vector<ScenarioStep>& steps, PlayerLink& link, const os::Clock& clock,
         std::FILE* out, std::FILE* err)
      : steps_(steps), link_(link), clock_(clock), out_(out), err_(err) {
    Keep();
  }

  // 0 when every action succeeded, 1 when some failed, 130 when stopped.
  int Run() {
    start_ = clock_.Now();
    origins_.push_back(0);
    std::vector<std::int64_t> rounds;
    for (std::size_t i = 0; i < steps_.size() && !link_.Stopped() && !ended_; ++i) {
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
    if (link_.Stopped()) {
      std::fprintf(out_, "stopped after %.3f s (%d actions, %d failed)\n", seconds, actions_,
                   failed_);
      return 130;
    }
    if (ended_) {
      std::fprintf(out_, "the POS session ended after %.3f s (%d actions, %d failed)\n", seconds,
                   actions_, failed_);
      return 1;
    }
    std::fprintf(out_, "done in %.3f s: %d actions, %d failed\n", seconds, actions_, failed_);
    return failed_ == 0 ? 0 : 1;
  }

 private:
  std::int64_t Elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(clock_.Now() - start_).count();
  }

  void Say(const ScenarioStep& step, const std::string& text) {
    std::fprintf(out_, "%8.3f  line %-4d %s\n", static_cast<double>(Elapsed()) / 1000.0, step.line,
                 text.c_str());
    std::fflush(out_);
  }

  // Sleeps until the scenario's time at ms, reading the trace meanwhile;
  // false when stopped.
  bool SleepUntil(std::int64_t ms) {
    while (true) {
      const std::int64_t left = ms - Elapsed();
      if (left <= 0) return !link_.Stopped();
      if (!Drain(static_cast<long>(left))) return false;
    }
  }

  // Waits up to ms (-1: no limit) for trace lines and keeps those that
  // came; false when stopped or the session ended.
  bool Drain(long ms) {
    switch (link_.Await(ms)) {
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
    for (std::string line; link_.Next(line);) seen_.push_back(line);
  }

  void Act(const ScenarioStep& step) {
    ++actions_;
    Say(step, step.text);
    std::string reply, error;
    if (!link_.Request(step.text, reply, error)) {
      reply = "error: " + error + "\n";
    }
    const std::size_t body = reply.find('\n');
    if (reply.rfind("ok", 0) == 0) {
      if (body != std::string::npos) std::fputs(reply.c_str() + body + 1, out_);
      return;
    }
    ++failed_;
    std::fprintf(err_, "line %d: %s", step.line, reply.c_str());
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

  const std::vector<ScenarioStep>& steps_;
  PlayerLink& link_;
  const os::Clock& clock_;
  std::FILE* out_;
  std::FILE* err_;
  std::vector<std::string> seen_;  // trace lines, in order
  std::size_t next_seen_ = 0;      // the first that no wait has looked at
  os::Clock::TimePoint start_;
  std::int64_t last_ = 0;  // the time of the step before, from the start
  std::vector<std::int64_t> origins_;
  int actions_ = 0;
  int failed_ = 0;
  bool ended_ = false;  // the trace stream ended with the session
};

}  // namespace

int PlayScenario(const std::vector<posim::ScenarioStep>& steps, PlayerLink& link,
                 const os::Clock& clock, std::FILE* out, std::FILE* err) {
  return Player(steps, link, clock, out, err).Run();
}

}  // namespace posimctl
