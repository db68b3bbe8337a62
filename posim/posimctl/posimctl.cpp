// posimctl: drives the simulated terminal while a program has it initialised.
//   posimctl [-s SOCKET] COMMAND [WORD...]     (posimctl help lists the commands)
//   posimctl [-s SOCKET] play [--check] FILE   plays a scenario
//   posimctl [-s SOCKET] watch [DEVICE|all]    a live view
//   posimctl [-s SOCKET] trace [events] [--to FILE]   every call, as it happens
//   posimctl check-terminal FILE               checks a terminal description
// The terminal listens at "posim.sock" in the current directory, else beside
// posimctl (a socket file on POSIX hosts; on Windows a named pipe that stands
// for that path).
#include "posim/posimctl/posimctl.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "posim/channel/command_words.h"
#include "posim/devices/device_output.h"
#include "posim/devices/terminal.h"
#include "posim/posimctl/control_client.h"

namespace {

// What Initialize would make of a resource file, with the reason when it
// refuses it (it gives only POSERR_SYS_INVALID_FILE).
int CheckTerminal(const char* file) {
  std::vector<posim::DeviceConfig> devices;
  std::string error;
  switch (posim::LoadTerminal(file, devices, error)) {
    case posim::TerminalSource::kDefault:
      std::fprintf(stderr, "%s: cannot be opened: Initialize takes the default terminal\n", file);
      return 1;
    case posim::TerminalSource::kBadFile:
      std::fprintf(stderr, "%s: %s\n", file, error.c_str());
      return 1;
    case posim::TerminalSource::kFile:
      break;
  }
  posim::Client terminal(0, devices, nullptr);
  std::printf("%s: %zu devices\n%s\n", file, devices.size(), posim::DeviceList(terminal).c_str());
  return 0;
}

// One command line and its reply: the text after "ok" on stdout, an error on stderr.
int Send(const posimctl::Endpoint& endpoint, const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) {
    if (!line.empty()) line += ' ';
    line += posim::QuoteCommandWord(word);
  }
  std::string reply, error;
  if (!posimctl::Request(endpoint, line, reply, error)) {
    std::fprintf(stderr, "posimctl: %s\n", error.c_str());
    return 2;
  }
  if (reply.rfind("ok", 0) == 0) {
    const std::size_t body = reply.find('\n');
    if (body != std::string::npos) std::fputs(reply.c_str() + body + 1, stdout);
    return 0;
  }
  std::fputs(reply.c_str(), stderr);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  posimctl::Endpoint endpoint;
  if (argc > 2 && std::strcmp(argv[1], "-s") == 0) {
    endpoint.socket = argv[2];
    first = 3;
  }
  if (first >= argc) {
    std::fprintf(stderr,
                 "usage: posimctl [-s SOCKET] COMMAND [WORD...]  (posimctl help)\n"
                 "       posimctl check-terminal FILE\n");
    return 2;
  }
  const std::string command = argv[first];
  const std::vector<std::string> words(argv + first + 1, argv + argc);
  if (command == "check-terminal") {
    if (words.size() != 1) {
      std::fprintf(stderr, "usage: posimctl check-terminal FILE\n");
      return 2;
    }
    return CheckTerminal(words[0].c_str());
  }
  if (command == "play") return posimctl::Play(endpoint, words);
  if (command == "watch") return posimctl::Watch(endpoint, words);
  if (command == "trace") return posimctl::Trace(endpoint, words);
  return Send(endpoint, std::vector<std::string>(argv + first, argv + argc));
}
