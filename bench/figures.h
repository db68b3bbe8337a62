// What both benchmarks (bench_main.cpp in a terminal, win_bench_main.cpp
// under Wine) compute and print alike: the lines the decoder writes for a
// stream of key events, the bare cost of decoding and formatting them, and
// the table of figures with their targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// lParams of posting thread t's first `count` key events (flood_protocol.h).
std::vector<std::uint32_t> KeyStream(std::uint64_t seed, int thread, std::uint64_t count);
// The log lines the program writes for these key events, in their order.
std::vector<std::string> KeyLines(const std::vector<std::uint32_t>& lparams);
// Milliseconds that decoding and formatting these key events takes without
// a window: the best of three rounds.
double BareMs(const std::vector<std::uint32_t>& lparams);

double Median(std::vector<double> v);
// 1000000 as "1,000,000".
std::string Thousands(std::size_t n);
std::string Fixed(double v, int decimals);

struct Row {
  std::string figure, measured, target;
  bool met;
};

// The machine line, the table, and the lines "lost: N" and "ratio: R".
void PrintTable(const std::string& machine, const std::vector<Row>& rows, long lost, double ratio);

}  // namespace bench
