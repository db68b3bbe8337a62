// How fast a burst of device events is decoded into log lines.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "app/device_events.h"
#include "port/null_port.h"

namespace {

// A port that only counts: the cost measured is the decoding.
class CountingPort : public ui::NullPort {
 public:
  void AppendLog(std::string_view line) override { bytes += line.size(); }
  std::size_t bytes = 0;
};

void BM_OnlineEvents(benchmark::State& state) {
  CountingPort port;
  names::NameScratch scratch;
  std::uint32_t i = 0;
  for (auto _ : state) {
    // Devices named and unnamed, so both lookup paths are taken.
    const std::uint32_t device = (i++ % 2) ? 0x1C : 0x99;
    app::HandleDeviceEvent(port, scratch, 0x420D, device << 8 | 0x11u << 16, 1);
  }
  benchmark::DoNotOptimize(port.bytes);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OnlineEvents);

void BM_KeyEvents(benchmark::State& state) {
  CountingPort port;
  names::NameScratch scratch;
  for (auto _ : state) app::HandleDeviceEvent(port, scratch, 0x4202, 0, 0x4001E);
  benchmark::DoNotOptimize(port.bytes);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_KeyEvents);

}  // namespace

BENCHMARK_MAIN();
