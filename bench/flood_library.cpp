// A POS library that floods: the eight entries with the binding's signatures,
// every call a success, reads that return their whole buffer, and threads of
// its own that post device events to the "queueHandle" window through the
// window system's posting call (USER32's PostMessageA on Windows), as fast
// as it takes them or at a set rate, on command from the control channel
// named in the environment (flood_protocol.h). It stands in for a keyboard
// wedge or a scanner in a loop, to measure and test the program under load.
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/flood_channel.h"
#include "bench/flood_protocol.h"
#include "codes/pos_codes.h"
#include "codes/pos_library.h"
#include "posim/session/post_message.h"

#ifdef _WIN32
#define FLOOD_EXPORT extern "C" __declspec(dllexport)
#else
#define FLOOD_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
      .count();
}

// What one posting thread sends: event i's message and lParam.
struct Stream {
  std::uint32_t message;
  std::uint64_t seed;
  int thread;
  std::uint32_t LParam(std::uint64_t i) const {
    return message == POSM_KBD_WM_CHAR ? flood::ThreadKeyEventLParam(seed, thread, i)
                                       : static_cast<std::uint32_t>(i % 256);
  }
};

class Flood {
 public:
  void Start(std::uintptr_t window) {
    Stop();
    window_ = window;
    post_ = posim::FindPostMessage();
    channel_.Open();
    ending_ = false;
    Report("init");
    if (channel_.open()) control_thread_ = std::thread([this] { Control(); });
  }

  ~Flood() { Stop(); }

  void Stop() {
    ending_ = true;
    stop_posting_ = true;
    if (control_thread_.joinable()) control_thread_.join();
    if (burst_.joinable()) burst_.join();
  }

  void Report(const std::string& line) {
    std::lock_guard<std::mutex> lock(report_mutex_);
    if (channel_.open()) channel_.Write(line + "\n");
  }

 private:
  // Reads commands until the library is terminated.
  void Control() {
    std::string pending;
    while (!ending_) {
      char buffer[256];
      const int n = channel_.Read(buffer, sizeof buffer, 20);
      if (n < 0) return;
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
    if (word == "memory") {
      Report("memory " + std::to_string(flood::ProcessBytes()));
      return;
    }
    if (post_ == nullptr) return;
    std::uint64_t seed = 0, count = 0;
    int threads = 1;
    double rate = 0;
    std::uint32_t message = POSM_KBD_WM_CHAR;
    if (word == "keys") {
      in >> seed >> count >> threads >> rate;
      if (threads < 1 || threads > flood::kMaxThreads) return;
    } else if (word == "events") {
      in >> std::hex >> message >> std::dec >> count;
    } else {
      return;
    }
    if (burst_.joinable()) burst_.join();
    stop_posting_ = false;
    // The control thread stays free to take "stop" meanwhile.
    burst_ = std::thread([=, this] { Burst(message, seed, count, threads, rate); });
  }

  void Burst(std::uint32_t message, std::uint64_t seed, std::uint64_t count, int threads,
             double rate) {
    std::atomic<std::uint64_t> taken{0};
    std::vector<std::thread> posters;
    const Clock::time_point start = Clock::now();
    const std::int64_t first = Now();
    // At a rate, each thread's event i is due at start + i * threads / rate.
    const double step_s = rate > 0 ? threads / rate : 0;
    for (int t = 0; t < threads; ++t) {
      posters.emplace_back([this, message, seed, count, t, step_s, start, &taken] {
        const Stream stream{message, seed, t};
        std::uint64_t ok = 0;
        for (std::uint64_t i = 0; i < count && !stop_posting_.load(std::memory_order_relaxed);
             ++i) {
          if (step_s > 0)
            std::this_thread::sleep_until(
                start + std::chrono::duration_cast<Clock::duration>(
                            std::chrono::duration<double>(step_s * static_cast<double>(i))));
          ok += post_(window_, message, 0, stream.LParam(i)) ? 1 : 0;
        }
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
  flood::Channel channel_;
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

FLOOD_EXPORT int32_t POS_API_CALL DLL_PosInitialize(PosContext*, const char*, const char*,
                                                    ResourcePair* resources, int32_t count) {
  TheFlood().Start(QueueHandle(resources, count));
  return 0;
}

FLOOD_EXPORT int32_t POS_API_CALL DLL_PosOpen(PosContext*, const char*, const char*, ResourcePair*,
                                              int32_t, int32_t* handle_out) {
  *handle_out = 1;
  return 0;
}

FLOOD_EXPORT int32_t POS_API_CALL DLL_PosClose(PosContext*, int32_t) {
  return 0;
}

FLOOD_EXPORT int32_t POS_API_CALL DLL_PosIOCtl(PosContext*, int32_t, int32_t, ResourcePair*,
                                               int32_t, int32_t* out) {
  *out = 0;
  return 0;
}

// The whole buffer, byte i holding the low byte of i.
FLOOD_EXPORT int32_t POS_API_CALL DLL_PosRead(PosContext*, int32_t, void* buffer, int32_t size,
                                              int32_t* bytes_read_out) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  for (int32_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i);
  *bytes_read_out = size;
  return 0;
}

FLOOD_EXPORT int32_t POS_API_CALL DLL_PosWrite(PosContext*, int32_t, const void*, int32_t length,
                                               int32_t* out) {
  *out = length;
  return 0;
}

FLOOD_EXPORT int32_t POS_API_CALL DLL_PosTerm(PosContext*) {
  TheFlood().Stop();
  TheFlood().Report("term");
  return 0;
}

FLOOD_EXPORT int32_t POS_API_CALL DLL_PosVersion(PosContext*, int32_t, int32_t, int32_t) {
  return 0;
}
