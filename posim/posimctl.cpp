// posimctl: drives the simulated terminal while a program has it initialised.
//   posimctl [-s SOCKET] COMMAND [WORD...]     (posimctl help lists the commands)
//   posimctl check-terminal FILE               checks a terminal description
// The socket is "posim.sock" in the current directory, else beside posimctl.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "posim/control_channel.h"
#include "posim/control_commands.h"
#include "posim/device_output.h"
#include "posim/terminal.h"

namespace {

// What Initialize would make of a resource file, with the reason when it
// refuses it (it gives only POSERR_SYS_INVALID_FILE).
int CheckTerminal(const char* file) {
  if (!std::ifstream(file).is_open()) {
    std::fprintf(stderr, "%s: cannot be opened: Initialize takes the default terminal\n", file);
    return 1;
  }
  std::vector<posim::DeviceConfig> devices;
  std::string error;
  if (posim::LoadTerminal(file, devices, error) != posim::TerminalSource::kFile) {
    std::fprintf(stderr, "%s: %s\n", file, error.c_str());
    return 1;
  }
  posim::Client terminal(0, devices, nullptr);
  std::printf("%s: %zu devices\n%s\n", file, devices.size(), posim::DeviceList(terminal).c_str());
  return 0;
}

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

int main(int argc, char** argv) {
  int first = 1;
  std::string socket_path;
  if (argc > 2 && std::strcmp(argv[1], "-s") == 0) {
    socket_path = argv[2];
    first = 3;
  }
  if (first >= argc) {
    std::fprintf(stderr,
                 "usage: posimctl [-s SOCKET] COMMAND [WORD...]  (posimctl help)\n"
                 "       posimctl check-terminal FILE\n");
    return 2;
  }
  if (std::strcmp(argv[first], "check-terminal") == 0) {
    if (argc - first != 2) {
      std::fprintf(stderr, "usage: posimctl check-terminal FILE\n");
      return 2;
    }
    return CheckTerminal(argv[first + 1]);
  }
  std::string line;
  for (int i = first; i < argc; ++i) {
    if (!line.empty()) line += ' ';
    line += posim::QuoteCommandWord(argv[i]);
  }
  int fd = -1;
  if (!socket_path.empty()) {
    fd = Connect(socket_path);
  } else {
    socket_path = posim::kControlSocketName;
    fd = Connect(socket_path);
    if (fd < 0) fd = Connect(BesideProgram(posim::kControlSocketName));
  }
  if (fd < 0) {
    std::fprintf(stderr,
                 "posimctl: no simulated terminal listens at %s (is the POS subsystem "
                 "initialised?)\n",
                 socket_path.c_str());
    return 2;
  }
  // The simulator may refuse a line before it has all of it: its reply still counts.
  const bool sent = SendAll(fd, line + "\n");
  shutdown(fd, SHUT_WR);
  std::string reply;
  char chunk[4096];
  for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;) reply.append(chunk, n);
  close(fd);
  if (!sent && reply.empty()) {
    std::fprintf(stderr, "posimctl: cannot send the command\n");
    return 2;
  }
  if (reply.rfind("ok", 0) == 0) {
    const std::size_t body = reply.find('\n');
    if (body != std::string::npos) std::fputs(reply.c_str() + body + 1, stdout);
    return 0;
  }
  std::fputs(reply.empty() ? "error: no reply\n" : reply.c_str(), stderr);
  return 1;
}
