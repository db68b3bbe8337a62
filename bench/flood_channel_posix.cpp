// The control channel on POSIX hosts: a socket descriptor the program
// inherited, its number in the environment.
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "bench/flood_channel.h"
#include "bench/flood_protocol.h"

namespace flood {

bool Channel::Open() {
  const char* fd = std::getenv(kControlVariable);
  handle_ = fd ? std::atoi(fd) : kNone;
  return open();
}

void Channel::Close() {
  handle_ = kNone;  // the descriptor stays the process's
}

int Channel::Read(char* buffer, int size, int timeout_ms) {
  pollfd p{static_cast<int>(handle_), POLLIN, 0};
  if (poll(&p, 1, timeout_ms) <= 0) return 0;
  const ssize_t n = read(static_cast<int>(handle_), buffer, static_cast<std::size_t>(size));
  return n > 0 ? static_cast<int>(n) : -1;
}

void Channel::Write(const std::string& text) {
  [[maybe_unused]] ssize_t n = write(static_cast<int>(handle_), text.data(), text.size());
}

std::size_t ProcessBytes() {
  long pages = 0, resident = 0;
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return 0;
  const int got = std::fscanf(statm, "%ld %ld", &pages, &resident);
  std::fclose(statm);
  return got == 2 ? static_cast<std::size_t>(resident) * static_cast<std::size_t>(getpagesize())
                  : 0;
}

}  // namespace flood
