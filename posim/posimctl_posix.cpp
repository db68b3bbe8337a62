// posimctl's way to the terminal on POSIX hosts: the control socket.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "posim/control_channel.h"
#include "posim/posimctl_transport.h"

namespace posimctl {

namespace {

int Connect(const std::string& path) {
  sockaddr_un address;
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return -1;
  std::strcpy(address.sun_path, path.c_str());
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

std::string BesideProgram(const char* name) {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return name;
  path[n] = '\0';
  char* slash = std::strrchr(path, '/');
  if (slash == nullptr) return name;
  return std::string(path, slash + 1) + name;
}

bool SendAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

Sent SendCommand(std::string& place, const std::string& line, std::string& reply) {
  int fd = -1;
  if (!place.empty()) {
    fd = Connect(place);
  } else {
    place = posim::kControlSocketName;
    fd = Connect(place);
    if (fd < 0) fd = Connect(BesideProgram(posim::kControlSocketName));
  }
  if (fd < 0) return Sent::kNoTerminal;
  // The simulator may refuse a line before it has all of it: its reply still counts.
  const bool sent = SendAll(fd, line + "\n");
  shutdown(fd, SHUT_WR);
  char chunk[4096];
  for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;) reply.append(chunk, n);
  close(fd);
  return !sent && reply.empty() ? Sent::kNotSent : Sent::kReplied;
}

}  // namespace posimctl
