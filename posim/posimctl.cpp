// posimctl: drives the simulated terminal while a program has it initialised.
//   posimctl [-s SOCKET] COMMAND [WORD...]     (posimctl help lists the commands)
//   posimctl check-terminal FILE               checks a terminal description
// The terminal listens at "posim.sock" in the current directory, else beside
// posimctl (a socket file on POSIX hosts; on Windows a named pipe that stands
// for that path).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "posim/control_channel.h"
#include "posim/control_commands.h"
#include "posim/device_output.h"
#include "posim/posimctl_transport.h"
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
  std::string reply;
  switch (posimctl::SendCommand(socket_path, line, reply)) {
    case posimctl::Sent::kNoTerminal:
      std::fprintf(stderr,
                   "posimctl: no simulated terminal listens at %s (is the POS subsystem "
                   "initialised?)\n",
                   socket_path.c_str());
      return 2;
    case posimctl::Sent::kNotSent:
      std::fprintf(stderr, "posimctl: cannot send the command\n");
      return 2;
    case posimctl::Sent::kReplied:
      break;
  }
  if (reply.rfind("ok", 0) == 0) {
    const std::size_t body = reply.find('\n');
    if (body != std::string::npos) std::fputs(reply.c_str() + body + 1, stdout);
    return 0;
  }
  std::fputs(reply.empty() ? "error: no reply\n" : reply.c_str(), stderr);
  return 1;
}
