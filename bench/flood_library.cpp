// A POS library that floods: the eight entries with the binding's signatures,
// every call a success, reads that return their whole buffer, and threads of
// its own that post device events to the "queueHandle" window as fast as the
// window system takes them, on command from the control socket named in the
// environment (flood_protocol.h). It stands in for a keyboard wedge or a
// scanner in a loop, to measure and test the program under load.
#include <dlfcn.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/flood_protocol.h"
#include "posapi/pos_library.h"

#define FLOOD_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr std::uint32_t kKbdWmChar = 0x4202;  // POSM_KBD_WM_CHAR

std::int64_t Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

class Flood {
 public:
  void Start(std::uintptr_t window) {
    Stop();
    window_ = window;
    post_ = reinterpret_cast<PosPostMessageFn>(dlsym(RTLD_DEFAULT, POS_POST_MESSAGE_NAME));
    const char* fd = std::getenv(flood::kControlVariable);
    control_ = fd ? std::atoi(fd) : -1;
    ending_ = false;
    Report("init");
    if (control_ >= 0) control_thread_ = std::thread([this] { Control(); });
  }

  ~Flood() { Stop(); }

  void Stop() {
    ending_ = true;
    stop_posting_ = true;
    if (control_thread_.joinable()) control_thread_.join();
    if (burst_.joinable()) burst_.join();
  }

  void Report(const std::string& line) {
    if (control_ < 0) return;
    std::lock_guard<std::mutex> lock(report_mutex_);
    const std::string text = line + "\n";
    [[maybe_unused]] ssize_t n = write(control_, text.data(), text.size());
  }

 private:
  // Reads commands until the library is terminated.
  void Control() {
    std::string pending;
    while (!ending_) {
      pollfd p{control_, POLLIN, 0};
      if (poll(&p, 1, 20) <= 0) continue;
      char buffer[256];
      const ssize_t n = read(control_, buffer, sizeof buffer);
      if (n <= 0) return;
      pending.append(buffer, static_cast<std::size_t>(n));
      for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
        Command(pending.substr(0, end));
        pending.erase(0, end + 1);
      }
    }
  }

  void Command(const std::string& line) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (word == "stop") {
      stop_posting_ = true;
      return;
    }
    if (word != "keys" || post_ == nullptr) return;
    std::uint64_t seed = 0, count = 0;
    int threads = 1;
    in >> seed >> count >> threads;
    if (burst_.joinable()) burst_.join();
    stop_posting_ = false;
    // The control thread stays free to take "stop" meanwhile.
    burst_ = std::thread([this, seed, count, threads] { Burst(seed, count, threads); });
  }

  void Burst(std::uint64_t seed, std::uint64_t count, int threads) {
    std::atomic<std::uint64_t> taken{0};
    std::vector<std::thread> posters;
    const std::int64_t first = Now();
    for (int t = 0; t < threads; ++t) {
      posters.emplace_back([this, seed, count, t, &taken] {
        std::uint64_t ok = 0;
        for (std::uint64_t i = 0; i < count && !stop_posting_.load(std::memory_order_relaxed); ++i)
          ok += post_(window_, kKbdWmChar, 0, flood::KeyEventLParam(seed + t, i)) ? 1 : 0;
        taken += ok;
      });
    }
    for (std::thread& t : posters) t.join();
    const std::int64_t last = Now();
    Report("posted " + std::to_string(first) + " " + std::to_string(last) + " " +
           std::to_string(taken.load()));
  }

  std::uintptr_t window_ = 0;
  PosPostMessageFn post_ = nullptr;
  int control_ = -1;
  std::atomic<bool> ending_{false};
  std::atomic<bool> stop_posting_{false};
  std::thread control_thread_;
  std::thread burst_;
  std::mutex report_mutex_;
};

Flood& TheFlood() {
  static Flood flood;
  return flood;
}

std::uintptr_t QueueHandle(const ResourcePair* resources, std::int32_t count) {
  for (std::int32_t i = 0; resources != nullptr && i < count; ++i)
    if (resources[i].name != nullptr && std::strcmp(resources[i].name, "queueHandle") == 0)
      return resources[i].value;
  return 0;
}

}  // namespace

FLOOD_EXPORT int32_t DLL_PosInitialize(PosContext*, const char*, const char*,
                                       ResourcePair* resources, int32_t count) {
  TheFlood().Start(QueueHandle(resources, count));
  return 0;
}

FLOOD_EXPORT int32_t DLL_PosOpen(PosContext*, const char*, const char*, ResourcePair*, int32_t,
                                 int32_t* handle_out) {
  *handle_out = 1;
  return 0;
}

FLOOD_EXPORT int32_t DLL_PosClose(PosContext*, int32_t) {
  return 0;
}

FLOOD_EXPORT int32_t DLL_PosIOCtl(PosContext*, int32_t, int32_t, ResourcePair*, int32_t,
                                  int32_t* out) {
  *out = 0;
  return 0;
}

// The whole buffer, byte i holding the low byte of i.
FLOOD_EXPORT int32_t DLL_PosRead(PosContext*, int32_t, void* buffer, int32_t size,
                                 int32_t* bytes_read_out) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  for (int32_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i);
  *bytes_read_out = size;
  return 0;
}

FLOOD_EXPORT int32_t DLL_PosWrite(PosContext*, int32_t, const void*, int32_t length, int32_t* out) {
  *out = length;
  return 0;
}

FLOOD_EXPORT int32_t DLL_PosTerm(PosContext*) {
  TheFlood().Stop();
  TheFlood().Report("term");
  return 0;
}

FLOOD_EXPORT int32_t DLL_PosVersion(PosContext*, int32_t, int32_t, int32_t) {
  return 0;
}
