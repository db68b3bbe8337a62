// posimctl's way to the terminal on Windows: the control pipe that stands for
// the path (see control_pipe_win32.h).
#include <windows.h>

#include <string>
#include <vector>

#include "posim/control_channel.h"
#include "posim/control_client.h"
#include "posim/control_pipe_win32.h"

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

std::string Absolute(const std::string& path) {
  char full[MAX_PATH * 2];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return n > 0 && n < sizeof full ? std::string(full, n) : path;
}

}  // namespace

bool Request(const Endpoint& endpoint, const std::string& line, std::string& reply,
             std::string& error) {
  std::vector<std::string> paths;
  if (!endpoint.socket.empty()) {
    paths = {endpoint.socket};
  } else {
    paths = {posim::kControlSocketName, BesideProgram(posim::kControlSocketName)};
    if (Absolute(paths[0]) == Absolute(paths[1])) paths.pop_back();
  }
  reply.clear();
  for (const std::string& path : paths) {
    switch (posim::ExchangeOnPipe(path, line + "\n", reply)) {
      case posim::PipeExchange::kNoPipe:
        continue;
      case posim::PipeExchange::kNotSent:
        error = "cannot send the command";
        return false;
      case posim::PipeExchange::kReplied:
        if (reply.empty()) error = "no reply";
        return !reply.empty();
    }
  }
  std::string where;
  for (const std::string& path : paths) where += (where.empty() ? "" : " nor at ") + Absolute(path);
  error = "no simulated terminal listens at " + where +
          ": is the POS subsystem initialised? (the channel stands for a file in the folder the "
          "program runs in)";
  return false;
}

}  // namespace posimctl
