// How the front end's core copes with a flood of log lines and posted
// messages: appending, rendering the grid, and draining a burst in batches.
#include <benchmark/benchmark.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "files/log_file.h"
#include "ui/terminal/log_commands.h"
#include "ui/terminal/screen.h"

namespace terminal {
namespace {

// A terminal that shows nothing and has no input: a loop ends once the
// posted messages are handled.
class NullDevice : public Device {
 public:
  Size size() const override { return {100, 30}; }
  bool Wait(int timeout_ms, std::vector<InputEvent>&) override { return timeout_ms == 0; }
  void Wake() override {}
  void Paint(const CellGrid&) override { ++paints; }
  int paints = 0;
};

// A terminal without input whose waits a post wakes, as the pipe of the
// real one does; input ends once the poster is done and nothing is left.
class WakingDevice : public Device {
 public:
  Size size() const override { return {100, 30}; }
  bool Wait(int timeout_ms, std::vector<InputEvent>&) override {
    std::unique_lock<std::mutex> lock(mutex_);
    if (timeout_ms != 0) woken_.wait(lock, [this] { return woken_flag_ || done_; });
    const bool ended = timeout_ms != 0 && !woken_flag_ && done_;
    woken_flag_ = false;
    return !ended;
  }
  void Wake() override {
    std::lock_guard<std::mutex> lock(mutex_);
    woken_flag_ = true;
    woken_.notify_one();
  }
  void Done() {
    std::lock_guard<std::mutex> lock(mutex_);
    done_ = true;
    woken_.notify_one();
  }
  void Paint(const CellGrid&) override { ++paints; }
  int paints = 0;

 private:
  std::mutex mutex_;
  std::condition_variable woken_;
  bool woken_flag_ = false, done_ = false;
};

class LoggingWindow : public ui::MainWindowProc {
 public:
  explicit LoggingWindow(Screen& s) : screen_(s) {}
  void OnCommand(int) override {}
  void OnKey(ui::KeyMessage, unsigned) override {}
  void OnPosted(std::uint32_t, std::uint32_t wparam, std::uint32_t) override {
    screen_.AppendLog("Message from DEVICE ON LINE  device " + std::to_string(wparam) + " \n");
  }

 private:
  Screen& screen_;
};

void BM_Append100000LinesThenRender(benchmark::State& state) {
  for (auto _ : state) {
    NullDevice device;
    Screen screen(&device);
    for (int i = 0; i < 100000; ++i) screen.AppendLog("KeyDown ScanCode from KeyBoard = 1e \n");
    screen.Render();
    benchmark::DoNotOptimize(screen.grid().At(40, 5));
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_Append100000LinesThenRender)->Unit(benchmark::kMillisecond);

void BM_RenderWithFullLog(benchmark::State& state) {
  NullDevice device;
  Screen screen(&device);
  for (int i = 0; i < 100000; ++i) screen.AppendLog("line " + std::to_string(i));
  for (auto _ : state) screen.Render();
}
BENCHMARK(BM_RenderWithFullLog)->Unit(benchmark::kMicrosecond);

// A burst posted from another thread while the loop runs, as a POS library
// posts: the loop is woken once a batch and paints once a batch at most.
void BM_PostedBurst(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  int paints = 0;
  for (auto _ : state) {
    WakingDevice device;
    Screen screen(&device);
    LoggingWindow window(screen);
    std::thread poster([&] {
      for (std::uint32_t i = 0; i < count; ++i) screen.queue().Post({1, 0x4201, i, 0});
      device.Done();
    });
    screen.RunMain(window);
    poster.join();
    paints = device.paints;
  }
  state.counters["paints"] = paints;
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_PostedBurst)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Save log as... of a million key echo lines: the time the event display
// stands still while the file is written.
void BM_SaveMillionLineLog(benchmark::State& state) {
  LineStore lines;
  for (int i = 0; i < 1000000; ++i)
    lines.Append(i % 3 == 1 ? "WM_CHAR comes ScanCode from KeyBoard = 1e \n"
                            : "KeyDown ScanCode from KeyBoard = 1e \n");
  const std::string path = "terminal_bench-saved-log.txt";
  for (auto _ : state) {
    const std::string failure = files::SaveLog(path.c_str(), LogBoxLines(lines));
    if (!failure.empty()) state.SkipWithError(failure.c_str());
  }
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_SaveMillionLineLog)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace terminal

BENCHMARK_MAIN();
