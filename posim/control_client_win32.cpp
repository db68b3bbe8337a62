// posimctl's way to the terminal on Windows: the control pipe that stands for
// the path (see control_pipe_win32.h). A stream ends with the session, or
// with posimctl at Ctrl-C: the channel sees the client go.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "posim/control_channel.h"
#include "posim/control_client.h"
#include "posim/control_pipe_win32.h"
#include "posim/posimctl.h"

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

// A connection to the terminal, or INVALID_HANDLE_VALUE with the reason in error.
HANDLE Connect(const Endpoint& endpoint, std::string& error) {
  std::vector<std::string> paths;
  if (!endpoint.socket.empty()) {
    paths = {endpoint.socket};
  } else {
    paths = {posim::kControlSocketName, BesideProgram(posim::kControlSocketName)};
    if (Absolute(paths[0]) == Absolute(paths[1])) paths.pop_back();
  }
  std::string where;
  for (const std::string& path : paths) {
    const HANDLE pipe = posim::ConnectToPipe(path);
    if (pipe != INVALID_HANDLE_VALUE) return pipe;
    where += (where.empty() ? "" : " nor at ") + Absolute(path);
  }
  error = "no simulated terminal listens at " + where +
          ": is the POS subsystem initialised? (the channel stands for a file in the folder the "
          "program runs in)";
  return INVALID_HANDLE_VALUE;
}

}  // namespace

bool Request(const Endpoint& endpoint, const std::string& line, std::string& reply,
             std::string& error) {
  const HANDLE pipe = Connect(endpoint, error);
  if (pipe == INVALID_HANDLE_VALUE) return false;
  reply.clear();
  if (!posim::ExchangeOn(pipe, line + "\n", reply)) {
    error = "cannot send the command";
    return false;
  }
  if (reply.empty()) error = "no reply";
  return !reply.empty();
}

StreamEnd FollowStream(const Endpoint& endpoint, const std::string& line,
                       const std::function<void(const std::string& text)>& put) {
  std::string error;
  const HANDLE pipe = Connect(endpoint, error);
  if (pipe == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "posimctl: %s\n", error.c_str());
    return StreamEnd::kNotOpened;
  }
  const std::string text = line + "\n";
  DWORD n = 0;
  WriteFile(pipe, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
  std::string arrived;
  bool opened = false;
  char chunk[4096];
  while (ReadFile(pipe, chunk, sizeof chunk, &n, nullptr) && n > 0) {
    arrived.append(chunk, n);
    if (!opened) {
      const std::size_t end = arrived.find('\n');
      if (end == std::string::npos) continue;
      if (arrived.compare(0, end + 1, "ok\n") != 0) {
        std::fputs(arrived.c_str(), stderr);
        CloseHandle(pipe);
        return StreamEnd::kNotOpened;
      }
      opened = true;
      arrived.erase(0, end + 1);
      put("");
    }
    // Whole lines only.
    const std::size_t last = arrived.rfind('\n');
    if (last == std::string::npos) continue;
    put(arrived.substr(0, last + 1));
    arrived.erase(0, last + 1);
  }
  CloseHandle(pipe);
  if (!opened) {
    std::fputs(arrived.empty() ? "posimctl: no reply\n" : arrived.c_str(), stderr);
    return StreamEnd::kNotOpened;
  }
  return StreamEnd::kSessionEnded;
}

bool OutputIsTerminal() {
  return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
}

}  // namespace posimctl
