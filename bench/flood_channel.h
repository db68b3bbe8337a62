// The flood library's side of its control channel, as the platform has it
// (flood_channel_posix.cpp, flood_channel_win32.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace flood {

class Channel {
 public:
  // Opens the channel that the environment names; false when it names none.
  bool Open();
  void Close();
  bool open() const { return handle_ != kNone; }
  // Waits at most timeout_ms for bytes: how many it read, 0 when none came,
  // -1 when the other side has gone.
  int Read(char* buffer, int size, int timeout_ms);
  void Write(const std::string& text);

 private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t handle_ = kNone;
};

// The bytes of memory the process holds: its working set (resident set).
std::size_t ProcessBytes();

}  // namespace flood
