// Streams on POSIX hosts: opened on the control socket, read as they
// arrive, each wait ended by a stop signal.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "posim/posimctl/posimctl.h"

namespace posimctl {

Stream::~Stream() {
  if (channel_ >= 0) close(static_cast<int>(channel_));
}

bool Stream::Open(const Endpoint& endpoint, const std::string& line) {
  std::string error;
  const int fd = Connect(endpoint, error);
  if (fd < 0) {
    std::fprintf(stderr, "posimctl: %s\n", error.c_str());
    return false;
  }
  channel_ = fd;
  SendLine(fd, line);
  return TakeOk();
}

Stream::Waited Stream::Await(long ms) {
  const int fd = static_cast<int>(channel_);
  if (!WaitFor(fd, ms)) return Waited::kStopped;
  pollfd p = {fd, POLLIN, 0};
  if (fd < 0 || poll(&p, 1, 0) <= 0) return Waited::kTimeUp;
  char chunk[4096];
  const ssize_t n = read(fd, chunk, sizeof chunk);
  if (n < 0 && errno == EINTR) return Stopped() ? Waited::kStopped : Waited::kTimeUp;
  if (n <= 0) return Waited::kEnded;
  buffer_.append(chunk, static_cast<std::size_t>(n));
  return Waited::kArrived;
}

bool OutputIsTerminal() {
  return isatty(STDOUT_FILENO) != 0;
}

}  // namespace posimctl
