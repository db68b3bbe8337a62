// The benchmark of the real program under load (./bench.sh): the program in
// a pseudo-terminal of ours, the flood library as its POS library, every
// figure read off the emulated screen as a person would see it. Prints one
// table (figure, measured, target) and the lines "lost: N" and "ratio: R".
//
//   ridozod_bench                 every figure
//   ridozod_bench --quick         fewer rounds
//   ridozod_bench --callgrind F   one 100,000-event burst under callgrind, its counts in F
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/figures.h"
#include "bench/log_reader.h"
#include "bench/session.h"

namespace bench {
namespace {

constexpr int kWidth = 80, kHeight = 24;
constexpr std::uint64_t kBurst = 100000;
constexpr int kTailRows = 6;

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

std::vector<std::string> BurstLines(std::uint64_t seed, std::uint64_t count) {
  return KeyLines(KeyStream(seed, 0, count));
}

std::string Machine() {
  std::ifstream cpu("/proc/cpuinfo");
  std::string line, model = "unknown processor";
  while (std::getline(cpu, line))
    if (line.rfind("model name", 0) == 0) {
      model = line.substr(line.find(':') + 2);
      break;
    }
  utsname u{};
  uname(&u);
  return model + ", " + std::to_string(std::thread::hardware_concurrency()) + " cores, " +
         u.sysname + " " + u.release;
}

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "bench: %s\n", why.c_str());
  std::exit(1);
}

struct Options {
  int bursts = 10;
  int starts = 20;
  int dumps = 10;
  int frames = 20;
  std::string callgrind_out;
};

// From the key to the last byte of the frame it caused.
double FrameMs(PtyProgram& pty, std::string_view key) {
  const Clock::time_point t0 = Clock::now();
  pty.Send(key);
  std::optional<Clock::time_point> last;
  while (std::optional<Clock::time_point> t = pty.Read(30)) last = t;
  return last ? Ms(*last - t0) : -1;
}

// Medians of PgUp, Home and End frames with the log focused, in a program
// with a short log and one with a long log, taken in turns so that the
// machine's changing load falls on both alike.
std::pair<double, double> LogFrameMs(Session& short_log, Session& long_log, int cycles) {
  for (Session* s : {&short_log, &long_log}) {
    s->pty().Send(keys::kAltL);
    s->pty().WaitQuiet(30, 2000);
  }
  std::vector<double> short_frames, long_frames;
  for (int i = 0; i < cycles; ++i)
    for (std::string_view key : {keys::kPageUp, keys::kHome, keys::kEnd}) {
      short_frames.push_back(FrameMs(short_log.pty(), key));
      long_frames.push_back(FrameMs(long_log.pty(), key));
    }
  for (Session* s : {&short_log, &long_log}) {
    s->pty().Send(keys::kAltL);
    s->pty().WaitQuiet(30, 2000);
  }
  return {Median(short_frames), Median(long_frames)};
}

// Posts `count` key events with `seed` and waits until the screen shows
// their last lines: milliseconds from the first post.
std::optional<double> TimedBurst(Session& s, std::uint64_t seed, std::uint64_t count,
                                 const std::vector<std::string>& expected, int timeout_ms) {
  s.Command("keys " + std::to_string(seed) + " " + std::to_string(count) + " 1");
  const std::optional<Clock::time_point> shown = s.pty().WaitFor(
      [&expected](const VtScreen& v) { return ShowsTail(v, expected, kTailRows); }, timeout_ms);
  const std::optional<std::string> report = s.NextReport(timeout_ms);
  if (!shown || !report) return std::nullopt;
  std::istringstream in(*report);
  std::string word;
  long long first = 0;
  in >> word >> first;
  return Ms(shown->time_since_epoch() - std::chrono::nanoseconds(first));
}

// Lines of the burst that the log lacks or holds out of place.
long LostLines(Session& s, const std::vector<std::string>& expected) {
  std::string error;
  const std::optional<std::vector<std::string>> tail =
      ReadLogTail(s.pty(), expected.size(), kWidth, kHeight, &error);
  if (!tail) Fail(error);
  long lost = 0;
  for (std::size_t d = 0; d < expected.size(); ++d)
    if ((*tail)[d] != expected[expected.size() - 1 - d]) ++lost;
  return lost;
}

// A key typed in the main window: three echo lines that part two bursts.
void Separator(Session& s) {
  s.pty().Send("x");
  s.pty().WaitForText("KeyUp ScanCode", 2000);
  s.pty().WaitQuiet(30, 2000);
}

double StartupMs(const RunFolder& folder) {
  PtyProgram pty;
  PtyOptions options;
  options.program = folder.program();
  std::string error;
  if (!pty.Start(options, &error)) Fail(error);
  const std::optional<Clock::time_point> shown = pty.WaitForText(" F10: Pos_Commands", 10000);
  if (!shown) Fail("no first frame:\n" + ScreenText(pty.screen()));
  return Ms(*shown - pty.started());
}

// Read dialog, handle 1, 65,535 bytes: from OK to the frame with the dump
// done (the success box comes in the frame after the last row).
double DumpMs(Session& s) {
  PtyProgram& pty = s.pty();
  pty.Send(keys::kF10);
  if (!pty.WaitForText("PosWrite", 5000)) Fail("no menu");
  for (int i = 0; i < 4; ++i) pty.Send(keys::kDown);
  pty.Send(keys::kEnter);
  if (!pty.WaitForText("Buffer  Size", 5000)) Fail("no Read dialog:\n" + ScreenText(pty.screen()));
  pty.Send("1");
  pty.Send(keys::kTab);
  pty.Send("65535");
  pty.WaitQuiet(30, 2000);
  const Clock::time_point t0 = Clock::now();
  pty.Send(keys::kEnter);
  const std::optional<Clock::time_point> shown = pty.WaitForText("PosRead Successful.", 30000);
  if (!shown) Fail("no dump:\n" + ScreenText(pty.screen()));
  pty.Send(keys::kEnter);
  pty.WaitFor([](const VtScreen& v) { return !v.Shows("Buffer  Size"); }, 5000);
  pty.WaitQuiet(30, 2000);
  return Ms(*shown - t0);
}

// F10 during a flood of `threads` posting threads: milliseconds until the
// menu is on screen, for each try.
std::vector<double> KeyLatencies(Session& s, int tries) {
  std::vector<double> latencies;
  for (int i = 0; i < tries; ++i) {
    s.pty().WaitQuiet(10, 50);
    const Clock::time_point t0 = Clock::now();
    s.pty().Send(keys::kF10);
    const std::optional<Clock::time_point> shown = s.pty().WaitForText("PosWrite", 60000);
    latencies.push_back(shown ? Ms(*shown - t0) : 60000);
    s.pty().Send(keys::kEscape);
    s.pty().WaitFor([](const VtScreen& v) { return !v.Shows("PosWrite"); }, 60000);
  }
  return latencies;
}

int RunCallgrind(const Options& options) {
  RunFolder folder;
  std::string error;
  if (!folder.Make(DefaultBuiltFiles(), &error)) Fail(error);
  Session s;
  PtyOptions po;
  po.wrapper = {"valgrind", "--tool=callgrind", "--callgrind-out-file=" + options.callgrind_out,
                "--separate-threads=no"};
  if (!s.Start(folder, po, &error) || !s.Initialize(&error) || !s.Open(&error)) Fail(error);
  const std::vector<std::string> expected = BurstLines(1, kBurst);
  const std::optional<double> ms = TimedBurst(s, 1, kBurst, expected, 600000);
  if (!ms) Fail("the burst never showed");
  std::printf("burst under callgrind: %.0f ms\n", *ms);
  s.pty().Send(keys::kF10);
  s.pty().WaitForText("PosWrite", 60000);
  s.pty().Send(keys::kUp);
  s.pty().Send(keys::kEnter);
  if (!s.pty().WaitExit(120000)) Fail("the program did not end");
  return 0;
}

int Run(const Options& options) {
  std::vector<Row> rows;
  RunFolder folder;
  std::string error;
  if (!folder.Make(DefaultBuiltFiles(), &error)) Fail(error);

  std::vector<double> starts;
  for (int i = 0; i < options.starts; ++i) starts.push_back(StartupMs(folder));
  const double startup = Median(starts);

  Session s;
  if (!s.Start(folder, PtyOptions{}, &error) || !s.Initialize(&error) || !s.Open(&error))
    Fail(error);

  // Tall terminals once, so that the memory they take is in both figures.
  if (!ReadLogTail(s.pty(), 10, kWidth, kHeight, &error)) Fail(error);
  const long rss_before = s.pty().ResidentBytes();

  std::vector<double> times, ratios;
  long lost = 0;
  std::size_t burst_lines = 0, text_bytes = 0;
  for (int b = 0; b < options.bursts; ++b) {
    const std::uint64_t seed = 10 + static_cast<std::uint64_t>(b);
    Separator(s);
    const std::vector<std::string> expected = BurstLines(seed, kBurst);
    const std::optional<double> ms = TimedBurst(s, seed, kBurst, expected, 120000);
    const double bare = BareMs(KeyStream(seed, 0, kBurst));
    if (!ms) Fail("burst " + std::to_string(b) + " never showed:\n" + ScreenText(s.screen()));
    times.push_back(*ms);
    ratios.push_back(*ms / bare);
    std::fprintf(stderr,
                 "burst %d: %.1f ms on screen, bare %.2f ms, ratio %.2f, %.1f MB resident\n", b,
                 *ms, bare, *ms / bare, static_cast<double>(s.pty().ResidentBytes()) / 1e6);
    lost += LostLines(s, expected);
    burst_lines += expected.size();
    for (const std::string& line : expected) text_bytes += line.size();
  }
  const long rss_after = s.pty().ResidentBytes();
  const double text_per_line = static_cast<double>(text_bytes) / static_cast<double>(burst_lines);
  const double per_line =
      static_cast<double>(rss_after - rss_before) / static_cast<double>(burst_lines);
  // A second program with about 1,000 lines, for the frames.
  Session small;
  if (!small.Start(folder, PtyOptions{}, &error) || !small.Initialize(&error)) Fail(error);
  TimedBurst(small, 1000, 1000, BurstLines(1000, 1000), 30000);
  const auto [frame_small, frame_large] = LogFrameMs(small, s, options.frames);

  std::vector<double> dumps;
  for (int i = 0; i < options.dumps; ++i) dumps.push_back(DumpMs(s));

  // Eight threads of 250,000 events each: keys during the flood, then Exit.
  s.Command("keys 500 250000 8");
  s.pty().WaitQuiet(100, 100);
  const std::vector<double> latencies = KeyLatencies(s, 5);
  const double worst_key = *std::max_element(latencies.begin(), latencies.end());
  s.NextReport(600000);
  s.Command("keys 600 250000 8");
  s.pty().WaitQuiet(100, 100);
  const Clock::time_point exit_pressed = Clock::now();
  s.pty().Send(keys::kF10);
  s.pty().WaitForText("PosWrite", 60000);
  s.pty().Send(keys::kUp);
  s.pty().Send(keys::kEnter);
  const std::optional<int> status = s.pty().WaitExit(120000);
  const double exit_ms = Ms(Clock::now() - exit_pressed);
  const std::vector<std::string> reports = s.RemainingReports(10000);
  const long terms = std::count(reports.begin(), reports.end(), "term");

  const double time = Median(times);
  const double ratio = Median(ratios);
  const double growth = frame_small > 0 ? (frame_large / frame_small - 1) * 100 : 0;
  const double dump = Median(dumps);
  rows.push_back(
      {"100,000-event burst: first post -> last line on screen (median of " +
           std::to_string(times.size()) + ")",
       Fixed(time, 1) + " ms (max " + Fixed(*std::max_element(times.begin(), times.end()), 1) + ")",
       "< 1000 ms", *std::max_element(times.begin(), times.end()) < 1000});
  rows.push_back({"lines lost or out of order (" + Thousands(burst_lines) + " checked)",
                  std::to_string(lost), "0", lost == 0});
  rows.push_back({"burst time / bare decode+format of the same lines (median)",
                  Fixed(ratio, 2) + "x", "<= 3x", ratio <= 3});
  rows.push_back({"log memory at " + Thousands(burst_lines) + " lines, bytes a line over its text",
                  Fixed(per_line - text_per_line, 1) + " (text " + Fixed(text_per_line, 1) + ")",
                  "<= 32", per_line - text_per_line <= 32});
  rows.push_back({"DumpHex of 65,535 bytes: OK -> dump on screen (median of " +
                      std::to_string(dumps.size()) + ")",
                  Fixed(dump, 1) + " ms", "< 10 ms", dump < 10});
  rows.push_back({"frame after End/PgUp/Home at 1,000 lines (median)",
                  Fixed(frame_small, 2) + " ms", "-", true});
  rows.push_back(
      {"... at " + Thousands(burst_lines) + " lines (median)",
       Fixed(frame_large, 2) + " ms (" + (growth >= 0 ? "+" : "") + Fixed(growth, 0) + " %)",
       "within 20 %", growth <= 20});
  rows.push_back({"start-up to the first frame (median of " + std::to_string(starts.size()) + ")",
                  Fixed(startup, 1) + " ms", "< 30 ms", startup < 30});
  rows.push_back({"F10 during 8 threads x 250,000 events -> menu on screen (worst of " +
                      std::to_string(latencies.size()) + ")",
                  Fixed(worst_key, 1) + " ms", "< 50 ms", worst_key < 50});
  rows.push_back({"Exit during 8 threads x 250,000 events -> program ended, PosTerm calls",
                  (status ? Fixed(exit_ms, 0) + " ms" : std::string("not ended")) + ", " +
                      std::to_string(terms),
                  "ends, 1", status.has_value() && terms == 1});

  PrintTable(Machine(), rows, lost, ratio);
  return 0;
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
  bench::Options options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0) {
      options.bursts = 3;
      options.starts = 5;
      options.dumps = 3;
      options.frames = 3;
    } else if (std::strcmp(argv[i], "--callgrind") == 0 && i + 1 < argc) {
      options.callgrind_out = argv[++i];
    } else {
      std::fprintf(stderr, "usage: %s [--quick] [--callgrind FILE]\n", argv[0]);
      return 2;
    }
  }
  if (!options.callgrind_out.empty()) return bench::RunCallgrind(options);
  return bench::Run(options);
}
