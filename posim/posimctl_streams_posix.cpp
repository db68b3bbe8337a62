// Streams on POSIX hosts: opened on the control socket, followed until
// Ctrl-C or the end of the session.
#include <unistd.h>

#include <cstdio>

#include "posim/control_commands.h"
#include "posim/posimctl.h"

namespace posimctl {

int OpenStream(const Endpoint& endpoint, const std::string& line, std::string& rest) {
  std::string error;
  const int fd = Connect(endpoint, error);
  if (fd < 0) {
    std::fprintf(stderr, "posimctl: %s\n", error.c_str());
    return -1;
  }
  SendLine(fd, line);
  LineReader reader(fd);
  std::string first;
  while (!reader.Next(first)) {
    if (Stopped() || !reader.Fill()) {
      close(fd);
      if (!Stopped()) std::fprintf(stderr, "posimctl: no reply\n");
      return -1;
    }
  }
  if (first != "ok") {
    std::fprintf(stderr, "%s\n", first.c_str());
    close(fd);
    return -1;
  }
  // What came with the "ok" belongs to the stream.
  std::string line_rest;
  while (reader.Next(line_rest)) rest += line_rest + "\n";
  return fd;
}

StreamEnd FollowStream(const Endpoint& endpoint, const std::string& line,
                       const std::function<void(const std::string& text)>& put) {
  CatchStops();
  std::string rest;
  const int fd = OpenStream(endpoint, line, rest);
  if (fd < 0) return Stopped() ? StreamEnd::kStopped : StreamEnd::kNotOpened;
  put(rest);
  LineReader reader(fd);
  bool ended = false;
  while (!Stopped()) {
    if (!WaitFor(fd, -1)) break;
    if (!reader.Fill()) {
      ended = true;
      break;
    }
    std::string text;
    while (reader.Next(text)) put(text + "\n");
  }
  close(fd);
  return ended ? StreamEnd::kSessionEnded : StreamEnd::kStopped;
}

bool OutputIsTerminal() {
  return isatty(STDOUT_FILENO) != 0;
}

}  // namespace posimctl
