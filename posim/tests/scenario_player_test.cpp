// The scenario player on a clock of the test's: each action goes out at the
// very millisecond its scenario says, and a wait-for ends when its trace line
// comes, whatever the machine's load.
#include "posim/posimctl/scenario_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "os/manual_clock.h"
#include "posim/posimctl/scenario.h"
#include "posim/tests/posimctl_run.h"

namespace {

using Timed = std::pair<long, std::string>;  // milliseconds from the start, a line

// The simulator's side: every request answered "ok" and noted with its
// time; the trace lines come at their times, and a wait with nothing to come
// lets its time pass.
class ScriptedLink : public posimctl::PlayerLink {
 public:
  ScriptedLink(os::ManualClock& clock, std::vector<Timed> trace)
      : clock_(clock), trace_(std::move(trace)) {}

  bool Request(const std::string& line, std::string& reply, std::string&) override {
    sent.push_back({Now(), line});
    reply = "ok\n";
    return true;
  }
  posimctl::Stream::Waited Await(long ms) override {
    if (next_ < trace_.size() && (ms < 0 || trace_[next_].first <= Now() + ms)) {
      clock_.Advance(std::chrono::milliseconds(std::max(0L, trace_[next_].first - Now())));
      arrived_.push_back(trace_[next_++].second);
      return posimctl::Stream::Waited::kArrived;
    }
    if (ms < 0) return posimctl::Stream::Waited::kEnded;
    clock_.Advance(std::chrono::milliseconds(ms));
    return posimctl::Stream::Waited::kTimeUp;
  }
  bool Next(std::string& line) override {
    if (arrived_.empty()) return false;
    line = arrived_.front();
    arrived_.pop_front();
    return true;
  }
  bool Stopped() override { return false; }

  std::vector<Timed> sent;

 private:
  long Now() const {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(clock_.Elapsed()).count());
  }

  os::ManualClock& clock_;
  std::vector<Timed> trace_;
  std::size_t next_ = 0;
  std::deque<std::string> arrived_;
};

std::string ReadBack(std::FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

TEST(ScenarioPlayer, ShippedScenariosActAtTheirTimes) {
  // Each trace line begins with the time of day.
  const std::string kOpen =
      R"(12:00:00.700 PosOpen("DEVNAME", "PosScanner", [], 0) = 0, handle 1 (SCANNER1))";
  const std::string kTill = "12:00:03.300 event POSM_TILL_OPENED (0x420F) to window 0x1234";
  const struct {
    const char* scenario;
    std::vector<Timed> trace;
    std::vector<Timed> sent;
    const char* last_line;
  } cases[] = {
      {"checkout.txt",
       {},
       {{0, "scan 4006381333931"},
        {1000, "scan 5000112637922"},
        {2000, "scan 4006381333931"},
        {3000, "weigh 1250"},
        {4000, "weigh 0"},
        {5000, R"(swipe ";4111111111111111=2512101?" "%B4111111111111111^SHOPPER/ANN^2512101?")"}},
       "done in 5.000 s: 6 actions, 0 failed\n"},
      // Nothing before the scanner is opened, at 0.7 s; a call of another
      // kind is no answer to the wait.
      {"follow-the-program.txt",
       {{300, "12:00:00.300 PosVersion(1, 2, 3) = 0"}, {700, kOpen}, {3300, kTill}},
       {{1200, "scan 4006381333931"},
        {1700, "scan 5000112637922"},
        {2200, "scan 5000112637922"},
        {2700, "scan 5000112637922"},
        {3200, "scan 5000112637922"},
        {5300, "close-drawer"}},
       "done in 5.300 s: 6 actions, 0 failed\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario);
    std::ifstream in(posim_test::Scenario(c.scenario), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    std::vector<posim::ScenarioStep> steps;
    std::vector<std::string> errors;
    posim::ParseScenario(text, steps, errors);
    ASSERT_EQ(errors, std::vector<std::string>{});
    os::ManualClock clock;
    ScriptedLink link(clock, c.trace);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ASSERT_NE(out, nullptr);
    ASSERT_NE(err, nullptr);
    EXPECT_EQ(posimctl::PlayScenario(steps, link, clock, out, err), 0);
    EXPECT_EQ(link.sent, c.sent);
    const std::string said = ReadBack(out);
    EXPECT_EQ(said.substr(said.rfind('\n', said.size() - 2) + 1), c.last_line) << said;
    EXPECT_EQ(ReadBack(err), "");
    std::fclose(out);
    std::fclose(err);
  }
}

}  // namespace
