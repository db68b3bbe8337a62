#include "bench/figures.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "app/device_events.h"
#include "bench/flood_protocol.h"
#include "codes/pos_codes.h"
#include "port/null_port.h"

namespace bench {

namespace {

// The log as the decoder writes it, without a window.
class RecordingPort : public ui::NullPort {
 public:
  void AppendLog(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

class CountingPort : public ui::NullPort {
 public:
  void AppendLog(std::string_view line) override { bytes += line.size(); }
  std::size_t bytes = 0;
};

}  // namespace

std::vector<std::uint32_t> KeyStream(std::uint64_t seed, int thread, std::uint64_t count) {
  std::vector<std::uint32_t> lparams;
  lparams.reserve(count);
  for (std::uint64_t i = 0; i < count; ++i)
    lparams.push_back(flood::ThreadKeyEventLParam(seed, thread, i));
  return lparams;
}

std::vector<std::string> KeyLines(const std::vector<std::uint32_t>& lparams) {
  RecordingPort port;
  names::NameScratch scratch;
  port.lines.reserve(lparams.size());
  for (std::uint32_t lparam : lparams)
    app::HandleDeviceEvent(port, scratch, POSM_KBD_WM_CHAR, 0, lparam);
  return port.lines;
}

double BareMs(const std::vector<std::uint32_t>& lparams) {
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    CountingPort port;
    names::NameScratch scratch;
    const auto t0 = std::chrono::steady_clock::now();
    for (std::uint32_t lparam : lparams)
      app::HandleDeviceEvent(port, scratch, POSM_KBD_WM_CHAR, 0, lparam);
    best = std::min(
        best,
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    if (port.bytes == 0) return 0;
  }
  return best;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

std::string Thousands(std::size_t n) {
  const std::string digits = std::to_string(n);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text.push_back(',');
    text.push_back(digits[i]);
  }
  return text;
}

std::string Fixed(double v, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

void PrintTable(const std::string& machine, const std::vector<Row>& rows, long lost, double ratio) {
  std::printf("machine: %s\n\n", machine.c_str());
  std::size_t w = 0;
  for (const Row& r : rows) w = std::max(w, r.figure.size());
  std::printf("| %-*s | %-24s | %-12s | %s |\n", static_cast<int>(w), "figure", "measured",
              "target", "met");
  std::printf("|%s|%s|%s|-----|\n", std::string(w + 2, '-').c_str(), std::string(26, '-').c_str(),
              std::string(14, '-').c_str());
  for (const Row& r : rows)
    std::printf("| %-*s | %-24s | %-12s | %-3s |\n", static_cast<int>(w), r.figure.c_str(),
                r.measured.c_str(), r.target.c_str(), r.met ? "yes" : "NO");
  std::printf("\nlost: %ld\nratio: %.2f\n", lost, ratio);
}

}  // namespace bench
