// posimctl's way to the terminal on Windows: the control pipe that stands for
// the path (see control_pipe_win32.h). A stream ends with the session, or
// at Ctrl-C, which a console control handler turns into an event that every
// wait watches.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "posim/channel/control_channel.h"
#include "posim/channel/control_pipe_win32.h"
#include "posim/posimctl/control_client.h"
#include "posim/posimctl/posimctl.h"

namespace posimctl {

namespace {

constexpr ULONGLONG kPeekTime = 5;  // ms between two looks at a stream

// Set by Ctrl-C or Ctrl-Break once CatchStops has run.
HANDLE stop_event = nullptr;

BOOL WINAPI OnStop(DWORD type) {
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
  SetEvent(stop_event);
  return TRUE;
}

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
  // Nothing goes to a pipe of another user's: the refusal is the reply.
  if (!posim::ServerIsOurs(pipe, reply)) {
    CloseHandle(pipe);
    return true;
  }
  if (!posim::ExchangeOn(pipe, line + "\n", reply)) {
    error = "cannot send the command";
    return false;
  }
  if (reply.empty()) error = "no reply";
  return !reply.empty();
}

void CatchStops() {
  if (stop_event != nullptr) return;
  stop_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnStop, TRUE);
}

bool Stopped() {
  return stop_event != nullptr && WaitForSingleObject(stop_event, 0) == WAIT_OBJECT_0;
}

Stream::~Stream() {
  if (channel_ != -1) CloseHandle(reinterpret_cast<HANDLE>(channel_));
}

bool Stream::Open(const Endpoint& endpoint, const std::string& line) {
  std::string error;
  const HANDLE pipe = Connect(endpoint, error);
  if (pipe == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "posimctl: %s\n", error.c_str());
    return false;
  }
  if (std::string refusal; !posim::ServerIsOurs(pipe, refusal)) {
    CloseHandle(pipe);
    std::fputs(refusal.c_str(), stderr);
    return false;
  }
  channel_ = reinterpret_cast<std::intptr_t>(pipe);
  const std::string text = line + "\n";
  DWORD n = 0;
  WriteFile(pipe, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
  return TakeOk();
}

Stream::Waited Stream::Await(long ms) {
  const HANDLE pipe = reinterpret_cast<HANDLE>(channel_);
  const ULONGLONG deadline = ms < 0 ? ~0ULL : GetTickCount64() + static_cast<ULONGLONG>(ms);
  while (!Stopped()) {
    DWORD waiting = 0;
    if (channel_ != -1) {
      if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr)) return Waited::kEnded;
      if (waiting > 0) {
        char chunk[4096];
        DWORD n = 0;
        if (!ReadFile(pipe, chunk, std::min<DWORD>(sizeof chunk, waiting), &n, nullptr) || n == 0) {
          return Waited::kEnded;
        }
        buffer_.append(chunk, n);
        return Waited::kArrived;
      }
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return Waited::kTimeUp;
    // A pipe cannot be waited on with the stop: it is looked at every kPeekTime.
    const ULONGLONG nap = std::min<ULONGLONG>(deadline - now, channel_ != -1 ? kPeekTime : 60000);
    if (stop_event == nullptr) {
      Sleep(static_cast<DWORD>(nap));
    } else {
      WaitForSingleObject(stop_event, static_cast<DWORD>(nap));
    }
  }
  return Waited::kStopped;
}

bool OutputIsTerminal() {
  return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
}

}  // namespace posimctl
