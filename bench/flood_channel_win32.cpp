// The control channel on Windows: a named pipe that the driver serves, its
// name in the environment. Reads poll the pipe, so that a writer on another
// thread never waits behind a pending read.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <cstdlib>

#include "bench/flood_channel.h"
#include "bench/flood_protocol.h"

namespace flood {

namespace {

HANDLE AsHandle(std::intptr_t h) {
  return reinterpret_cast<HANDLE>(h);
}

}  // namespace

bool Channel::Open() {
  const char* name = std::getenv(kControlVariable);
  if (name == nullptr) return false;
  HANDLE pipe = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
  handle_ = pipe == INVALID_HANDLE_VALUE ? kNone : reinterpret_cast<std::intptr_t>(pipe);
  return open();
}

void Channel::Close() {
  if (open()) CloseHandle(AsHandle(handle_));
  handle_ = kNone;
}

int Channel::Read(char* buffer, int size, int timeout_ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(AsHandle(handle_), nullptr, 0, nullptr, &available, nullptr)) return -1;
    if (available > 0) break;
    if (GetTickCount64() >= end) return 0;
    Sleep(1);
  }
  DWORD got = 0;
  if (!ReadFile(AsHandle(handle_), buffer, static_cast<DWORD>(size), &got, nullptr)) return -1;
  return static_cast<int>(got);
}

void Channel::Write(const std::string& text) {
  DWORD written = 0;
  WriteFile(AsHandle(handle_), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::size_t ProcessBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.WorkingSetSize;
}

}  // namespace flood
