// The hostile POS library of hostile_pos_library.h.
#include "tests/hostile/hostile_pos_library.h"

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "codes/pos_library.h"
#include "posim/session/post_message.h"

#if defined(_WIN32)
#define EXPORT extern "C" __declspec(dllexport)
#else
#include <unistd.h>
#define EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

constexpr std::int32_t kGetValues = 302;

std::mutex g_mutex;
HostileStats g_stats = {};
std::atomic<std::int64_t> g_posted[HOSTILE_CODE_COUNT];
std::atomic<std::int64_t> g_refused{0};
std::atomic<bool> g_stop{false};
std::vector<std::thread> g_threads;
std::uintptr_t g_window = 0;
PosPostMessageFn g_post = nullptr;

char g_endless[8192];  // a name without a terminator
const char kEscapes[] = "\033]0;PWNED\007\033[2J\033[31mred";

bool Prefixed(const char* text, const char* prefix, const char** rest) {
  if (text == nullptr || std::strncmp(text, prefix, std::strlen(prefix)) != 0) return false;
  *rest = text + std::strlen(prefix);
  return true;
}

void Stall() {
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
}

void Post(std::uint32_t code, std::uintptr_t wparam, std::intptr_t lparam) {
  if (g_post != nullptr && g_post(g_window, code, wparam, lparam) != 0)
    ++g_posted[code - HOSTILE_FIRST_CODE];
  else
    ++g_refused;
}

void Burst(int thread, std::int64_t count) {
  std::uint64_t state = 0x9E3779B97F4A7C15ULL * static_cast<std::uint64_t>(thread + 1);
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  for (std::int64_t i = 0; i < count && !g_stop; ++i) {
    if (thread == 0) {
      Post(0x4201, 0, static_cast<std::intptr_t>(i));
      continue;
    }
    std::uint32_t code =
        HOSTILE_FIRST_CODE + static_cast<std::uint32_t>(next() % HOSTILE_CODE_COUNT);
    if (code == 0x4201) code = 0x4202;  // thread 0's own, kept in order
    Post(code, static_cast<std::uintptr_t>(next()), static_cast<std::intptr_t>(next()));
  }
}

void StopBursts() {
  g_stop = true;
  for (std::thread& t : g_threads) t.join();
  g_threads.clear();
  g_stop = false;
}

}  // namespace

EXPORT const HostileStats* Hostile_Stats(void) {
  std::lock_guard<std::mutex> lock(g_mutex);
  for (int i = 0; i < HOSTILE_CODE_COUNT; ++i) g_stats.posted[i] = g_posted[i];
  g_stats.refused = g_refused;
  g_stats.bursts_running = static_cast<std::int32_t>(g_threads.size());
  return &g_stats;
}

EXPORT std::int32_t POS_API_CALL DLL_PosInitialize(PosContext*, const char*,
                                                   const char* resource_file, ResourcePair* pairs,
                                                   std::int32_t count) {
  std::printf("hostile library: initialised\033]0;HOSTILE TITLE\007\033[2J\n");
  std::fflush(stdout);
  std::fprintf(stderr, "hostile library: on standard error\033[H\033[31m\n");
#if !defined(_WIN32)
  // Past stdio, straight to the terminal the program draws on. A Windows
  // program draws no terminal (it may have no standard output at all).
  [[maybe_unused]] ssize_t n = write(STDOUT_FILENO, "hostile library: raw write\n", 27);
#endif
  const char* rest = nullptr;
  if (Prefixed(resource_file, "STATUS:", &rest)) return static_cast<std::int32_t>(std::atol(rest));
  for (std::int32_t i = 0; pairs != nullptr && i < count; ++i)
    if (pairs[i].name != nullptr && std::strcmp(pairs[i].name, "queueHandle") == 0)
      g_window = pairs[i].value;
  // The program's exported posting call on POSIX, USER32's on Windows.
  g_post = posim::FindPostMessage();
  std::memset(g_endless, 'N', sizeof g_endless);
  return 0;
}

EXPORT std::int32_t POS_API_CALL DLL_PosOpen(PosContext*, const char* name, const char*,
                                             ResourcePair*, std::int32_t,
                                             std::int32_t* handle_out) {
  const char* rest = nullptr;
  if (Prefixed(name, "STATUS:", &rest)) return static_cast<std::int32_t>(std::atol(rest));
  if (Prefixed(name, "BURST:", &rest)) {
    const int threads = std::atoi(rest);
    const char* colon = std::strchr(rest, ':');
    const std::int64_t count = colon != nullptr ? std::atoll(colon + 1) : 1000;
    std::lock_guard<std::mutex> lock(g_mutex);
    for (int t = 0; t < threads && t < 64; ++t) g_threads.emplace_back(Burst, t, count);
    *handle_out = 1;
    return 0;
  }
  const struct {
    const char* name;
    std::int32_t handle;
  } kHandles[] = {{"ZERO", 0}, {"NEGATIVE", -5}, {"HUGE", INT32_MAX}, {"LOWEST", INT32_MIN}};
  *handle_out = 7;
  for (const auto& h : kHandles)
    if (name != nullptr && std::strcmp(name, h.name) == 0) *handle_out = h.handle;
  return 0;
}

EXPORT std::int32_t POS_API_CALL DLL_PosClose(PosContext*, std::int32_t handle) {
  return handle;
}

EXPORT std::int32_t POS_API_CALL DLL_PosIOCtl(PosContext*, std::int32_t handle,
                                              std::int32_t request, ResourcePair* pairs,
                                              std::int32_t count, std::int32_t* out) {
  if (request != kGetValues) return handle;
  *out = 0;
  for (std::int32_t i = 0; pairs != nullptr && i < count; ++i) {
    switch (i % 6) {
      case 0:
        pairs[i].name = reinterpret_cast<const char*>(1);
        break;
      case 1:
        pairs[i].name = nullptr;
        break;
      case 2:
        pairs[i].value = 1;
        break;
      case 3:
        pairs[i].name = g_endless;
        break;
      case 4:
        pairs[i].value = reinterpret_cast<std::uintptr_t>(kEscapes);
        break;
      case 5:
        pairs[i].value = 0xFFFFFFFF;
        break;
    }
  }
  return 0;
}

EXPORT std::int32_t POS_API_CALL DLL_PosRead(PosContext*, std::int32_t handle, void* buffer,
                                             std::int32_t size, std::int32_t* bytes_read_out) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  switch (handle) {
    case 1:
      if (size > 0) std::memset(bytes, 'A', static_cast<std::size_t>(size));
      *bytes_read_out = size > INT32_MAX - 100 ? INT32_MAX : size + 100;
      return 0;
    case 2:
      *bytes_read_out = -7;
      return 0;
    case 3:
      *bytes_read_out = INT32_MAX;
      return 0;
    case 4:
      for (std::int32_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i % 32);
      *bytes_read_out = size;
      return 0;
    case 5: {
      Stall();
      const unsigned char record[16] = {0, 0, 0, 0, 0x0B, 0x42, 0, 0, 3, 0, 0, 0, 13, 0, 0, 0};
      const std::int32_t n = size < 16 ? size : 16;
      std::memcpy(bytes, record, static_cast<std::size_t>(n > 0 ? n : 0));
      *bytes_read_out = n;
      return 0;
    }
    default:
      return handle;
  }
}

EXPORT std::int32_t POS_API_CALL DLL_PosWrite(PosContext*, std::int32_t handle, const void*,
                                              std::int32_t length, std::int32_t* out) {
  if (handle != 9) return handle;
  Stall();
  *out = length > INT32_MAX / 2 ? INT32_MAX : length * 2;
  return 0;
}

EXPORT std::int32_t POS_API_CALL DLL_PosTerm(PosContext*) {
  StopBursts();
  std::lock_guard<std::mutex> lock(g_mutex);
  ++g_stats.term_calls;
  std::printf("hostile library: terminated\033]0;HOSTILE AT EXIT\007\n");
  std::fflush(stdout);
  return 0;
}

EXPORT std::int32_t POS_API_CALL DLL_PosVersion(PosContext*, std::int32_t, std::int32_t,
                                                std::int32_t) {
  return 0;
}
