// posimctl's way to the terminal on Windows: the control pipe that stands for
// the path (see control_pipe_win32.h).
#include <windows.h>

#include <string>

#include "posim/control_channel.h"
#include "posim/control_pipe_win32.h"
#include "posim/posimctl_transport.h"

namespace posimctl {

namespace {

std::string BesideProgram(const char* name) {
  char path[MAX_PATH * 2];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  if (n == 0 || n >= sizeof path) return name;
  std::string beside(path, n);
  const std::size_t slash = beside.find_last_of("\\/");
  return slash == std::string::npos ? name : beside.substr(0, slash + 1) + name;
}

}  // namespace

Sent SendCommand(std::string& place, const std::string& line, std::string& reply) {
  posim::PipeExchange sent = posim::PipeExchange::kNoPipe;
  if (!place.empty()) {
    sent = posim::ExchangeOnPipe(place, line + "\n", reply);
  } else {
    place = posim::kControlSocketName;
    sent = posim::ExchangeOnPipe(place, line + "\n", reply);
    if (sent == posim::PipeExchange::kNoPipe) {
      sent = posim::ExchangeOnPipe(BesideProgram(posim::kControlSocketName), line + "\n", reply);
    }
  }
  switch (sent) {
    case posim::PipeExchange::kNoPipe:
      return Sent::kNoTerminal;
    case posim::PipeExchange::kNotSent:
      return Sent::kNotSent;
    case posim::PipeExchange::kReplied:
      break;
  }
  return Sent::kReplied;
}

}  // namespace posimctl
