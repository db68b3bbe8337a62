// The benchmark of the Windows program under load (./bench.sh --windows),
// run under wine64: ridozod.exe from a run folder whose vekapi32.dll is the
// flood library, driven through its real windows, every figure read back from
// them (the CommandLog with LB_GETTEXT, the message boxes as windows). Prints
// one table (figure, measured, target) and the lines "lost: N" and "ratio: R".
//
//   ridozod_win_bench RUN_FOLDER MACHINE [--quick]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "bench/figures.h"
#include "bench/flood_protocol.h"
#include "codes/pos_codes.h"
#include "resources/templates.h"
#include "tests/win32/window_driver.h"
#include "ui/win32/dialog_template.h"

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kThreads = 8;
constexpr std::uint64_t kBurst = 100000;
constexpr std::size_t kMemoryLines = 1000000;
constexpr double kPacedRate = 10000;        // events a second
constexpr std::size_t kQueueLimit = 10000;  // messages a Windows thread's queue holds
constexpr std::size_t kBoxEvents = 1000;
constexpr std::size_t kMostBoxes = 32;        // the target: boxes open at once
constexpr std::uint64_t kMenuFlood = 200000;  // events of the flood a menu command meets
constexpr double kMemorySeconds = 120;        // the log's filling stops after this long
constexpr double kBoxSeconds = 15;            // boxes left open for this long at most
constexpr std::uint32_t kMsrData = 0x4203;    // POSM_MSR_DATA_AVAIL, opens a box

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

Clock::time_point FromNs(long long ns) {
  return Clock::time_point(
      std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(ns)));
}

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "win bench: %s\n", why.c_str());
  std::fflush(stderr);
  std::exit(1);
}

// Polls fast: the figures are in milliseconds.
template <typename F>
bool WaitFast(F condition, DWORD timeout_ms, DWORD poll_ms = 2) {
  const ULONGLONG end = GetTickCount64() + timeout_ms;
  while (!condition()) {
    if (GetTickCount64() >= end) return false;
    Sleep(poll_ms);
  }
  return true;
}

// A report of the flood library: "posted FIRST LAST COUNT".
struct Posted {
  long long first = 0, last = 0;
  unsigned long long taken = 0;
};

// ridozod.exe with the flood library, its control pipe served by us.
class Program {
 public:
  explicit Program(const std::string& folder) : folder_(folder) {}
  ~Program() {
    process_.reset();
    if (connect_.joinable()) connect_.join();
    if (pipe_ != INVALID_HANDLE_VALUE) CloseHandle(pipe_);
  }

  // With the library's pipe, or (for start-up times alone) without one.
  bool Start(bool with_pipe = true) {
    if (!with_pipe) return Launch();
    static int serial = 0;
    const std::string name = "\\\\.\\pipe\\ridozod-flood-" + std::to_string(GetCurrentProcessId()) +
                             "-" + std::to_string(++serial);
    pipe_ = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_DUPLEX,
                             PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 65536,
                             65536, 0, nullptr);
    if (pipe_ == INVALID_HANDLE_VALUE) return false;
    // The library connects during PosInitialize: the pipe waits for it from now on.
    connect_ = std::thread([this] {
      connected_ = ConnectNamedPipe(pipe_, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED;
    });
    SetEnvironmentVariableA(flood::kControlVariable, name.c_str());
    return Launch();
  }

  bool Launch() {
    started_ = Clock::now();
    process_ = drive::Process::Start("\"" + folder_ + "\\ridozod.exe\"", folder_);
    if (!process_) return false;
    const DWORD id = process_->id();
    WaitFast([&] { return (main_ = drive::FindMainWindow(id)) != nullptr; }, 10000, 1);
    shown_ = Clock::now();
    return main_ != nullptr;
  }

  // Initialize with the dialog's defaults; the library connects meanwhile.
  void Initialize() {
    drive::MenuCommand(main_, res::kIdInitialize);
    HWND d = drive::WaitForDialog(pid(), "POS Initialization");
    if (!d) Fail("no Initialize dialog");
    drive::Click(d, res::kIdOk);
    const std::optional<drive::Box> box = drive::WaitForMessageBox(pid());
    if (!box || box->text != "Initialize Successful.") Fail("Initialize did not succeed");
    drive::CloseMessageBox(*box);
    drive::WaitUntil([&] { return !IsWindow(d); });
    connect_.join();
    if (!connected_) Fail("the flood library did not connect");
    if (NextReport(10000) != "init") Fail("no init report");
  }

  void Command(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    if (!WriteFile(pipe_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
      std::fprintf(stderr, "write failed %lu\n", GetLastError());
  }

  std::optional<std::string> NextReport(DWORD timeout_ms) {
    const ULONGLONG end = GetTickCount64() + timeout_ms;
    for (;;) {
      const std::size_t at = pending_.find('\n');
      if (at != std::string::npos) {
        std::string line = pending_.substr(0, at);
        pending_.erase(0, at + 1);
        return line;
      }
      DWORD available = 0;
      if (!PeekNamedPipe(pipe_, nullptr, 0, nullptr, &available, nullptr)) return std::nullopt;
      if (available > 0) {
        std::string buffer(available, '\0');
        DWORD got = 0;
        if (!ReadFile(pipe_, buffer.data(), available, &got, nullptr)) return std::nullopt;
        pending_.append(buffer.data(), got);
        continue;
      }
      if (GetTickCount64() >= end) return std::nullopt;
      Sleep(1);
    }
  }

  std::optional<Posted> NextPosted(DWORD timeout_ms) {
    for (;;) {
      const std::optional<std::string> line = NextReport(timeout_ms);
      if (!line) return std::nullopt;
      std::istringstream in(*line);
      std::string word;
      Posted p;
      if (in >> word >> p.first >> p.last >> p.taken && word == "posted") return p;
      std::fprintf(stderr, "report: %s\n", line->c_str());
    }
  }

  // The program's working set, as the library in it reports it.
  std::size_t WorkingSetBytes() {
    Command("memory");
    for (;;) {
      const std::optional<std::string> line = NextReport(10000);
      if (!line) return 0;
      if (line->rfind("memory ", 0) == 0) return std::stoull(line->substr(7));
    }
  }

  // Waits until the log holds `count` lines: when it did, or nothing.
  std::optional<Clock::time_point> WaitForLines(std::size_t count, DWORD timeout_ms) {
    if (!WaitFast([&] { return drive::LogCount(main_) >= count; }, timeout_ms)) return std::nullopt;
    return Clock::now();
  }

  // Waits until the log stops growing.
  std::size_t Settle() {
    std::size_t n = drive::LogCount(main_), before;
    do {
      before = n;
      Sleep(300);
      n = drive::LogCount(main_);
    } while (n != before);
    return n;
  }

  std::optional<DWORD> Exit() {
    drive::MenuCommand(main_, res::kIdExit);
    return process_->Wait(60000);
  }

  DWORD pid() const { return process_->id(); }
  HWND main() const { return main_; }
  double StartupMs() const { return Ms(shown_ - started_); }

 private:
  std::string folder_;
  HANDLE pipe_ = INVALID_HANDLE_VALUE;
  std::thread connect_;
  bool connected_ = false;
  std::unique_ptr<drive::Process> process_;
  HWND main_ = nullptr;
  Clock::time_point started_, shown_;
  std::string pending_;
};

// The lines of an 8-thread key burst as each thread posts them.
struct Burst {
  std::vector<std::vector<std::string>> per_thread;
  std::vector<std::uint32_t> all;  // every event, for the bare cost
};

Burst ExpectedBurst(std::uint64_t seed, std::uint64_t per_thread) {
  Burst b;
  for (int t = 0; t < kThreads; ++t) {
    const std::vector<std::uint32_t> stream = KeyStream(seed, t, per_thread);
    b.per_thread.push_back(KeyLines(stream));
    b.all.insert(b.all.end(), stream.begin(), stream.end());
  }
  return b;
}

// Lines of the burst that the log lacks, holds more than once, or holds out
// of its thread's order. A thread's lines differ from every other's (its
// number is in the scan code), so each line read back names its thread.
long LostLines(const std::vector<std::string>& got, const Burst& expected) {
  std::unordered_map<std::string, int> thread_of;
  for (int t = 0; t < kThreads; ++t)
    for (const std::string& line : expected.per_thread[static_cast<std::size_t>(t)])
      thread_of.emplace(line, t);
  std::vector<std::vector<std::string>> seen(kThreads);
  long lost = 0;
  for (const std::string& line : got) {
    const auto at = thread_of.find(line);
    if (at == thread_of.end())
      ++lost;
    else
      seen[static_cast<std::size_t>(at->second)].push_back(line);
  }
  for (int t = 0; t < kThreads; ++t) {
    const std::vector<std::string>& want = expected.per_thread[static_cast<std::size_t>(t)];
    const std::vector<std::string>& have = seen[static_cast<std::size_t>(t)];
    const std::size_t n = std::max(want.size(), have.size());
    for (std::size_t i = 0; i < n; ++i)
      if (i >= want.size() || i >= have.size() || want[i] != have[i]) ++lost;
  }
  return lost;
}

// The window system's own share of a burst: the same posts from 8 threads of
// ours into a window of ours that only takes them off its queue, what every
// program pays before it handles one event (under Wine each post and each
// take is a round trip to the server). Best of three.
double FloorMs(const Burst& burst) {
  HWND sink = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!sink) Fail("no window for the floor");
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    std::atomic<bool> go{false};
    std::atomic<std::size_t> refused{0};
    std::vector<std::thread> threads;
    std::size_t at = 0;
    for (const std::vector<std::string>& lines : burst.per_thread) {
      const std::size_t from = at;
      at += lines.size();
      threads.emplace_back([&, from, to = at] {
        while (!go) std::this_thread::yield();
        for (std::size_t i = from; i < to; ++i)
          if (!PostMessageA(sink, POSM_KBD_WM_CHAR, 0, static_cast<LPARAM>(burst.all[i])))
            ++refused;
      });
    }
    const Clock::time_point t0 = Clock::now();
    go = true;
    MSG m;
    for (std::size_t taken = 0; taken + refused < burst.all.size();)
      if (GetMessageA(&m, sink, POSM_KBD_WM_CHAR, POSM_KBD_WM_CHAR) > 0) ++taken;
    best = std::min(best, Ms(Clock::now() - t0));
    for (std::thread& t : threads) t.join();
    if (refused != 0) Fail("the floor's posts were refused");
  }
  DestroyWindow(sink);
  return best;
}

struct BurstResult {
  double ms = 0, bare_ms = 0, floor_ms = 0, posting_ms = 0;
  long lost = 0;
  unsigned long long refused = 0;
};

// 100,000 key events from 8 threads: from the first post until the last line
// is in the log, every line read back.
BurstResult TimedBurst(Program& p, std::uint64_t seed) {
  const Burst expected = ExpectedBurst(seed, kBurst / kThreads);
  const std::size_t before = p.Settle();
  const Clock::time_point sent = Clock::now();
  p.Command("keys " + std::to_string(seed) + " " + std::to_string(kBurst / kThreads) + " " +
            std::to_string(kThreads));
  const std::optional<Posted> posted = p.NextPosted(120000);
  if (!posted) Fail("the burst was not posted");
  const std::size_t wanted = before + posted->taken;
  const std::optional<Clock::time_point> shown = p.WaitForLines(wanted, 120000);
  BurstResult r;
  r.refused = kBurst - posted->taken;
  r.posting_ms = static_cast<double>(posted->last - posted->first) / 1e6;
  // The library's clock is the machine's steady clock too; the command's
  // sending is the fallback should it not be.
  const Clock::time_point first = FromNs(posted->first);
  const Clock::time_point t0 = first >= sent && first <= Clock::now() ? first : sent;
  r.ms = shown ? Ms(*shown - t0) : 120000;
  r.bare_ms = BareMs(expected.all);
  r.floor_ms = FloorMs(expected);
  r.lost = LostLines(drive::LogLines(p.main(), before), expected);
  return r;
}

// The most messages that waited at once while the library posted at
// kPacedRate: what it had posted by then (at its rate) less what the log held.
struct Paced {
  std::size_t most_waiting = 0;
  unsigned long long refused = 0;
};

Paced PacedFlood(Program& p, double seconds) {
  const std::uint64_t per_thread = static_cast<std::uint64_t>(kPacedRate * seconds / kThreads);
  const std::size_t before = p.Settle();
  const Clock::time_point sent = Clock::now();
  p.Command("keys 77 " + std::to_string(per_thread) + " " + std::to_string(kThreads) + " " +
            Fixed(kPacedRate, 0));
  // When the log held how many: set against the library's first post once
  // it has reported.
  std::vector<std::pair<Clock::time_point, std::size_t>> samples;
  while (Ms(Clock::now() - sent) < seconds * 1000 + 500) {
    samples.emplace_back(Clock::now(), drive::LogCount(p.main()));
    Sleep(10);
  }
  const std::size_t total = per_thread * kThreads;
  const std::optional<Posted> posted = p.NextPosted(60000);
  Paced r;
  r.refused = posted ? total - posted->taken : total;
  Clock::time_point first = posted ? FromNs(posted->first) : sent;
  if (first < sent || Ms(first - sent) > 5000) first = sent;  // not the same clock after all
  for (const auto& [when, count] : samples) {
    const double due = std::min<double>(total, kPacedRate * std::max(0.0, Ms(when - first)) / 1000);
    const double in_log = count >= before ? static_cast<double>(count - before) : 0;
    if (due > in_log)
      r.most_waiting = std::max(r.most_waiting, static_cast<std::size_t>(due - in_log));
  }
  return r;
}

// A menu command while 8 threads post without pause: milliseconds until its
// dialog is up, for each try.
std::vector<double> MenuLatencies(Program& p, int tries) {
  std::vector<double> latencies;
  for (int i = 0; i < tries; ++i) {
    p.Settle();
    p.Command("keys " + std::to_string(500 + i) + " " + std::to_string(kMenuFlood / kThreads) +
              " " + std::to_string(kThreads));
    Sleep(200);
    const Clock::time_point t0 = Clock::now();
    drive::MenuCommand(p.main(), res::kIdOpen);
    HWND dialog = nullptr;
    WaitFast([&] { return (dialog = drive::FindDialog(p.pid(), "POS Open")) != nullptr; }, 60000,
             1);
    latencies.push_back(dialog ? Ms(Clock::now() - t0) : 60000);
    p.Command("stop");
    p.NextPosted(60000);
    if (dialog) {
      drive::Click(dialog, IDCANCEL);
      drive::WaitUntil([&] { return !IsWindow(dialog); }, 60000);
    }
  }
  return latencies;
}

// The window system's own share of the menu figure: the Open dialog made
// from the same template, by a program that does nothing else, while 8
// threads of it post without pause into a window that only takes them
// (under Wine every call that makes and shows the dialog's windows waits its
// turn at the server behind theirs). Milliseconds from the call to the
// dialog's windows made and shown, for each try.
INT_PTR CALLBACK BareDialog(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

std::vector<double> DialogFloorMs(int tries) {
  std::atomic<bool> stop{false};
  std::atomic<HWND> sink{nullptr};
  std::thread taker([&] {
    HWND w = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    sink = w;
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    }
    DestroyWindow(w);
  });
  while (!sink) Sleep(1);
  std::vector<std::thread> posters;
  for (int t = 0; t < kThreads; ++t)
    posters.emplace_back([&] {
      while (!stop) PostMessageA(sink, POSM_KBD_WM_CHAR, 0, 0);
    });
  const std::vector<WORD> bytes = win32::BuildDialogTemplate(res::DispPosOpen());
  std::vector<double> ms;
  for (int i = 0; i < tries; ++i) {
    Sleep(200);
    const Clock::time_point t0 = Clock::now();
    HWND d = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                        reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), nullptr,
                                        &BareDialog, 0);
    ms.push_back(d && IsWindowVisible(d) ? Ms(Clock::now() - t0) : 60000);
    if (d) DestroyWindow(d);
  }
  stop = true;
  for (std::thread& t : posters) t.join();
  PostMessageA(sink, WM_QUIT, 0, 0);
  taker.join();
  return ms;
}

// Log memory: bytes of working set a line, once the log holds kMemoryLines lines
// (bursts of key events until then, or until kMemorySeconds have passed).
double BytesPerLine(Program& p, double* text_per_line, std::size_t* reached) {
  std::size_t lines = p.Settle();
  const Clock::time_point start = Clock::now();
  const std::size_t bytes_before = p.WorkingSetBytes();
  const std::size_t lines_before = lines;
  std::size_t text = 0;
  // One burst at least: a log past kMemoryLines already gives the figure
  // at its length.
  std::uint64_t seed = 1000;
  do {
    const std::size_t left = lines < kMemoryLines ? kMemoryLines - lines : 0;
    const std::uint64_t per_thread =
        left == 0 ? kBurst / kThreads
                  : std::min<std::uint64_t>(kBurst, left + kThreads - 1) / kThreads;
    p.Command("keys " + std::to_string(seed) + " " + std::to_string(per_thread) + " " +
              std::to_string(kThreads));
    const std::optional<Posted> posted = p.NextPosted(600000);
    if (!posted || !p.WaitForLines(lines + posted->taken, 600000)) Fail("the log stopped growing");
    for (int t = 0; t < kThreads; ++t)
      for (const std::string& line : KeyLines(KeyStream(seed, t, per_thread))) text += line.size();
    lines += posted->taken;
    ++seed;
  } while (lines < kMemoryLines && Ms(Clock::now() - start) < kMemorySeconds * 1000);
  const std::size_t bytes_after = p.WorkingSetBytes();
  *reached = lines;
  const double added = static_cast<double>(lines - lines_before);
  *text_per_line = static_cast<double>(text) / added;
  return (static_cast<double>(bytes_after) - static_cast<double>(bytes_before)) / added;
}

struct Boxes {
  std::size_t most_open = 0;
  bool in_order = false;
  bool survived = false;
};

// The number of the event a box shows ("... (Length = N)"; the first 256
// events' numbers are their order).
int BoxNumber(HWND box) {
  const std::string text = drive::ReadMessageBox(box).text;
  const std::size_t at = text.find("= ");
  return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + 2);
}

// kBoxEvents events that each open a message box: the most boxes open at
// once while nobody closes them (until their number holds for two seconds,
// or kBoxSeconds), then whether every line came in order once they are
// closed one by one.
Boxes BoxBurst(Program& p) {
  const std::size_t before = p.Settle();
  char code[16];
  std::snprintf(code, sizeof code, "%x", kMsrData);
  p.Command(std::string("events ") + code + " " + std::to_string(kBoxEvents));
  Boxes r;
  const Clock::time_point start = Clock::now();
  Clock::time_point changed = start;
  while (IsWindow(p.main()) && Ms(Clock::now() - start) < kBoxSeconds * 1000 &&
         Ms(Clock::now() - changed) < 2000) {
    const std::size_t open = drive::MessageBoxWindows(p.pid()).size();
    if (open != r.most_open) changed = Clock::now();
    r.most_open = std::max(r.most_open, open);
    Sleep(100);
  }
  // Each box nests in the one before: only the newest one's loop can end,
  // and each box closed lets the next event open one. The window order lags
  // behind, so the boxes are kept in the order they came, the first ones
  // told apart by their event's number.
  std::vector<HWND> stack;
  const ULONGLONG end = GetTickCount64() + 300000;
  for (std::size_t closed = 0; closed < kBoxEvents && GetTickCount64() < end; ++closed) {
    const std::size_t left = std::min(kMostBoxes, kBoxEvents - closed);
    std::vector<HWND> open;
    if (!drive::WaitUntil([&] { return (open = drive::MessageBoxWindows(p.pid())).size() >= left; },
                          5000))
      break;
    r.most_open = std::max(r.most_open, open.size());
    std::vector<HWND> fresh;
    for (HWND w : open)
      if (std::find(stack.begin(), stack.end(), w) == stack.end()) fresh.push_back(w);
    if (fresh.size() > 1)
      std::sort(fresh.begin(), fresh.end(),
                [](HWND a, HWND b) { return BoxNumber(a) < BoxNumber(b); });
    stack.insert(stack.end(), fresh.begin(), fresh.end());
    const HWND newest = stack.back();
    stack.pop_back();
    drive::Click(newest, IDOK);
    if (!drive::WaitUntil([&] { return !IsWindow(newest); }, 5000)) break;
  }
  drive::WaitUntil([&] { return drive::LogCount(p.main()) >= before + kBoxEvents; }, 5000);
  r.survived = IsWindow(p.main()) != FALSE;
  std::vector<std::string> wanted;
  for (std::size_t i = 0; i < kBoxEvents; ++i)
    wanted.push_back("MSR DATA AVAILABLE (Length = " + std::to_string(i % 256) + ")");
  if (!r.survived) return r;
  const std::vector<std::string> got = drive::LogLines(p.main(), before);
  r.in_order = got == wanted;
  if (!r.in_order) {
    // Where the log parts from what was wanted, to tell a lost line from one
    // out of place.
    std::size_t i = 0;
    while (i < got.size() && i < wanted.size() && got[i] == wanted[i]) ++i;
    std::fprintf(stderr, "boxes: %zu lines of %zu; from line %zu: \"%s\", wanted \"%s\"\n",
                 got.size(), wanted.size(), i, i < got.size() ? got[i].c_str() : "(none)",
                 i < wanted.size() ? wanted[i].c_str() : "(none)");
  }
  return r;
}

int Run(const std::string& folder, const std::string& machine, bool quick) {
  const int bursts = quick ? 3 : 10;
  std::vector<Row> rows;

  std::vector<double> starts;
  for (int i = 0; i < (quick ? 3 : 10); ++i) {
    Program p(folder);
    if (!p.Start(false)) Fail("ridozod.exe did not start");
    starts.push_back(p.StartupMs());
  }

  Program p(folder);
  if (!p.Start()) Fail("ridozod.exe did not start");
  p.Initialize();
  std::fprintf(stderr, "started and initialised\n");

  std::vector<double> times, floors, bare_ratios, ratios;
  long lost = 0;
  unsigned long long refused = 0;
  for (int b = 0; b < bursts; ++b) {
    const BurstResult r = TimedBurst(p, 10 + static_cast<std::uint64_t>(b));
    std::fprintf(
        stderr,
        "burst %d: %.1f ms in the list box (posting %.1f ms), floor %.1f ms, bare %.2f ms, "
        "ratio %.2f, lost %ld\n",
        b, r.ms, r.posting_ms, r.floor_ms, r.bare_ms, r.ms / (r.floor_ms + r.bare_ms), r.lost);
    times.push_back(r.ms);
    floors.push_back(r.floor_ms);
    bare_ratios.push_back(r.ms / r.bare_ms);
    ratios.push_back(r.ms / (r.floor_ms + r.bare_ms));
    lost += r.lost;
    refused += r.refused;
  }
  const Paced paced = PacedFlood(p, quick ? 2 : 5);
  std::fprintf(stderr, "paced: at most %zu waiting, %llu refused\n", paced.most_waiting,
               paced.refused);
  const std::vector<double> latencies = MenuLatencies(p, quick ? 2 : 5);
  const double worst_menu = *std::max_element(latencies.begin(), latencies.end());
  const std::vector<double> dialog_floor = DialogFloorMs(quick ? 3 : 5);
  std::fprintf(stderr, "menu: worst %.1f ms, median %.1f ms; the dialog's floor: median %.1f ms\n",
               worst_menu, Median(latencies), Median(dialog_floor));
  double text_per_line = 0;
  std::size_t reached = 0;
  const double per_line = BytesPerLine(p, &text_per_line, &reached);
  std::fprintf(stderr, "memory: %.1f bytes a line, text %.1f\n", per_line, text_per_line);
  const std::optional<DWORD> exit_code = p.Exit();

  Program q(folder);
  if (!q.Start()) Fail("ridozod.exe did not start");
  q.Initialize();
  const Boxes boxes = BoxBurst(q);
  std::optional<DWORD> boxes_exit;
  if (boxes.survived) boxes_exit = q.Exit();

  const double time = Median(times), ratio = Median(ratios);
  const std::size_t checked = static_cast<std::size_t>(bursts) * kBurst;
  rows.push_back(
      {"100,000-event burst from 8 threads: first post -> last line in the list box "
       "(median of " +
           std::to_string(times.size()) + ")",
       Fixed(time, 1) + " ms (max " + Fixed(*std::max_element(times.begin(), times.end()), 1) + ")",
       "-", true});
  rows.push_back(
      {"lines lost or out of their thread's order (" + Thousands(checked) + " read back)",
       std::to_string(lost), "0", lost == 0});
  // Under Wine the posts alone cost hundreds of times the decoding and
  // formatting: the ratio that measures the program is to the two together.
  rows.push_back({"the same posts into a window that only takes them (the window system's floor)",
                  Fixed(Median(floors), 1) + " ms", "-", true});
  rows.push_back({"burst time / (floor + bare decode+format of the same lines) (median)",
                  Fixed(ratio, 2) + "x", "<= 3x", ratio <= 3});
  rows.push_back({"burst time / bare decode+format alone under Wine (median)",
                  Fixed(Median(bare_ratios), 0) + "x", "-", true});
  rows.push_back(
      {"PostMessageA calls refused, 8 threads at full speed (" + Thousands(checked) + " posts)",
       std::to_string(refused), "-", true});
  rows.push_back({"... at 10,000 events/s: refused, most waiting at once",
                  std::to_string(paced.refused) + ", " + Thousands(paced.most_waiting),
                  "0, < 10,000", paced.refused == 0 && paced.most_waiting < kQueueLimit});
  rows.push_back({"log memory at " + Thousands(reached) + " lines (of " + Thousands(kMemoryLines) +
                      " in " + Fixed(kMemorySeconds, 0) + " s), bytes a line over its text",
                  Fixed(per_line - text_per_line, 1) + " (text " + Fixed(text_per_line, 1) + ")",
                  "<= 64",
                  reached >= kMemoryLines && per_line > 0 && per_line - text_per_line <= 64});
  rows.push_back({"menu command during 8 threads x " + Thousands(kMenuFlood / kThreads) +
                      " events -> dialog up (worst of " + std::to_string(latencies.size()) + ")",
                  Fixed(worst_menu, 1) + " ms (median " + Fixed(Median(latencies), 1) + ")",
                  "< 100 ms", worst_menu < 100});
  rows.push_back(
      {"the same dialog made by a program that only makes it, beside 8 threads posting "
       "(the window system's floor, median of " +
           std::to_string(dialog_floor.size()) + ")",
       Fixed(Median(dialog_floor), 1) + " ms (max " +
           Fixed(*std::max_element(dialog_floor.begin(), dialog_floor.end()), 1) + ")",
       "-", true});
  // Under Wine the floor alone can pass 100 ms: the program's own share is
  // its time over the floor's.
  const double menu_ratio = Median(latencies) / Median(dialog_floor);
  rows.push_back({"menu command's dialog up / the window system's floor (medians)",
                  Fixed(menu_ratio, 2) + "x", "<= 3x", menu_ratio <= 3});
  rows.push_back({"1,000 box-opening events: most boxes open at once, lines in order",
                  std::to_string(boxes.most_open) + ", " +
                      (boxes.survived ? (boxes.in_order ? "yes" : "no") : "program gone"),
                  "<= " + std::to_string(kMostBoxes) + ", yes",
                  boxes.most_open <= kMostBoxes && boxes.in_order});
  rows.push_back({"start-up to the main window (median of " + std::to_string(starts.size()) + ")",
                  Fixed(Median(starts), 1) + " ms", "-", true});
  rows.push_back({"Exit after the floods, and after the boxes: exit codes",
                  (exit_code ? std::to_string(*exit_code) : std::string("not ended")) + ", " +
                      (boxes_exit ? std::to_string(*boxes_exit) : std::string("not ended")),
                  "0, 0", exit_code == 0u && boxes_exit == 0u});
  PrintTable(machine, rows, lost, ratio);
  return 0;
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s RUN_FOLDER MACHINE [--quick]\n", argv[0]);
    return 2;
  }
  const bool quick = argc > 3 && std::strcmp(argv[3], "--quick") == 0;
  return bench::Run(argv[1], argv[2], quick);
}
