// The real program in a pseudo-terminal, with the flood library as its POS
// library: keys are served and Exit ends the program while floods of device
// events come in, and a terminal that goes away ends it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>

#include "bench/session.h"

namespace bench {
namespace {

// Generous bounds for loaded machines and sanitizer builds: the benchmark
// measures the real figures (a key within 50 ms).
constexpr int kKeyBoundMs = 2000;
constexpr int kExitBoundMs = 20000;

struct Program {
  RunFolder folder;
  Session session;

  bool Start(PtyOptions options = {}) {
    std::string error;
    const bool ok = folder.Make(DefaultBuiltFiles(), &error) &&
                    session.Start(folder, std::move(options), &error);
    EXPECT_TRUE(ok) << error;
    return ok;
  }
  bool Initialize() {
    std::string error;
    const bool ok = session.Initialize(&error);
    EXPECT_TRUE(ok) << error;
    return ok;
  }
  PtyProgram& pty() { return session.pty(); }
};

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Eight library threads post without pause: the menu still opens and closes
// at once, time after time.
TEST(Flood, KeysAreServedDuringAFlood) {
  Program p;
  if (!p.Start() || !p.Initialize()) return;
  p.session.Command("keys 7 400000 8");
  p.pty().WaitQuiet(50, 50);
  for (int i = 0; i < 3; ++i) {
    const Clock::time_point pressed = Clock::now();
    p.pty().Send(keys::kF10);
    const std::optional<Clock::time_point> shown = p.pty().WaitForText("PosWrite", 60000);
    ASSERT_TRUE(shown) << ScreenText(p.pty().screen());
    EXPECT_LT(Ms(*shown - pressed), kKeyBoundMs) << "try " << i;
    p.pty().Send(keys::kEscape);
    ASSERT_TRUE(p.pty().WaitFor([](const VtScreen& s) { return !s.Shows("PosWrite"); }, 60000));
  }
  p.session.Command("stop");
}

// Exit chosen during a flood ends the program soon, and the library's
// PosTerm is called once.
TEST(Flood, ExitDuringAFloodEndsTheProgramWithOnePosTerm) {
  Program p;
  if (!p.Start() || !p.Initialize()) return;
  p.session.Command("keys 9 400000 8");
  p.pty().WaitQuiet(50, 50);
  const Clock::time_point pressed = Clock::now();
  p.pty().Send(keys::kF10);
  ASSERT_TRUE(p.pty().WaitForText("PosWrite", 60000));
  p.pty().Send(keys::kUp);
  p.pty().Send(keys::kEnter);
  const std::optional<int> status = p.pty().WaitExit(60000);
  ASSERT_TRUE(status) << "still running";
  EXPECT_LT(Ms(Clock::now() - pressed), kExitBoundMs);
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
  const std::vector<std::string> reports = p.session.RemainingReports(10000);
  EXPECT_EQ(std::count(reports.begin(), reports.end(), "term"), 1);
}

// The terminal goes away while SIGHUP is ignored (as under nohup): the
// program ends by itself instead of spinning, with the library terminated.
TEST(Flood, AVanishedTerminalEndsTheProgram) {
  Program p;
  PtyOptions options;
  options.ignore_hangup = true;
  if (!p.Start(options) || !p.Initialize()) return;
  p.pty().Hangup();
  const std::optional<int> status = p.pty().WaitExit(10000);
  ASSERT_TRUE(status) << "still running, " << p.pty().CpuSeconds() << " s of processor time";
  EXPECT_TRUE(WIFEXITED(*status)) << *status;
  const std::vector<std::string> reports = p.session.RemainingReports(10000);
  EXPECT_EQ(std::count(reports.begin(), reports.end(), "term"), 1);
}

}  // namespace
}  // namespace bench
