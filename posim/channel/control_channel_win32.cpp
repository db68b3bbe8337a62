// The control channel on a named pipe (see control_pipe_win32.h): every
// client has an instance of the pipe and a thread of its own. Only the
// channel's user may open the pipe, and a client whose process runs as
// another user is refused before its command is read.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <list>
#include <string>
#include <thread>
#include <vector>

#include "posim/channel/control_channel.h"
#include "posim/channel/control_pipe_win32.h"

namespace posim {

namespace {

constexpr std::size_t kMaxLine = 65536;
constexpr DWORD kReadTime = 3000;            // ms, for one command line, from the connection
constexpr std::size_t kMaxConnections = 32;  // served at once
constexpr DWORD kBufferSize = 4096;
constexpr DWORD kLastWords = 100;  // ms, for a write once the channel stops

// An instance of the pipe that waits for a client. The first one claims the
// name: a live channel of another program keeps it.
HANDLE MakeInstance(const std::string& name, bool first, OwnerOnlyAccess& access) {
  const DWORD open_mode =
      PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
  return CreateNamedPipeA(
      name.c_str(), open_mode,
      PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
      PIPE_UNLIMITED_INSTANCES, kBufferSize, kBufferSize, 0, access.attributes());
}

// Overlapped I/O on one instance that gives up at a deadline or when stop is set.
class PipeIo {
 public:
  PipeIo(HANDLE pipe, HANDLE stop) : pipe_(pipe), stop_(stop) {
    overlapped_.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  }
  ~PipeIo() { CloseHandle(overlapped_.hEvent); }
  PipeIo(const PipeIo&) = delete;
  PipeIo& operator=(const PipeIo&) = delete;

  // Waits for the instance's client; false when stopped or the pipe fails.
  bool Accept() {
    while (true) {
      ResetEvent(overlapped_.hEvent);
      if (ConnectNamedPipe(pipe_, &overlapped_)) return true;
      const DWORD error = GetLastError();
      if (error == ERROR_PIPE_CONNECTED) return true;
      if (error == ERROR_NO_DATA) {  // a client that came and went
        DisconnectNamedPipe(pipe_);
        continue;
      }
      DWORD ignored = 0;
      return error == ERROR_IO_PENDING && Wait(INFINITE) &&
             GetOverlappedResult(pipe_, &overlapped_, &ignored, FALSE);
    }
  }

  // Reads one command line, up to its line feed. A line longer than kMaxLine
  // is read to its end and dropped, so that the client sees the reply.
  enum class Line { kLine, kTooLong, kNone };
  Line ReadLine(std::string& line) {
    line.clear();
    bool too_long = false;
    const ULONGLONG deadline = GetTickCount64() + kReadTime;
    char chunk[4096];
    DWORD n = 0;
    while (Read(chunk, sizeof chunk, n, deadline)) {
      const char* end = static_cast<const char*>(std::memchr(chunk, '\n', n));
      const std::size_t take = end != nullptr ? static_cast<std::size_t>(end - chunk) : n;
      if (line.size() + take > kMaxLine) too_long = true;
      if (!too_long) line.append(chunk, take);
      if (end != nullptr) {
        if (too_long) return Line::kTooLong;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return Line::kLine;
      }
    }
    return too_long ? Line::kTooLong : Line::kNone;
  }

  // Writes all of text; false once the client is gone or the channel stops.
  bool Write(std::string_view text) {
    while (!text.empty()) {
      DWORD n = 0;
      ResetEvent(overlapped_.hEvent);
      if (!WriteFile(pipe_, text.data(), static_cast<DWORD>(text.size()), &n, &overlapped_) &&
          (GetLastError() != ERROR_IO_PENDING || !Wait(INFINITE) ||
           !GetOverlappedResult(pipe_, &overlapped_, &n, FALSE))) {
        return false;
      }
      if (n == 0) return false;
      text.remove_prefix(n);
    }
    return true;
  }

  // Whether the client has closed its end. What it sends once its command
  // line is read means nothing and is passed over.
  bool ClientGone() {
    while (true) {
      DWORD waiting = 0;
      if (!PeekNamedPipe(pipe_, nullptr, 0, nullptr, &waiting, nullptr)) return true;
      if (waiting == 0) return false;
      char chunk[4096];
      DWORD n = 0;
      if (!Read(chunk, sizeof chunk, n, GetTickCount64() + 100)) return Stopped();
    }
  }

  bool Stopped() const { return WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0; }

 private:
  // Reads what the client has sent, n bytes into chunk; false when it has gone
  // away, at the deadline, or when the channel stops.
  bool Read(char* chunk, DWORD size, DWORD& n, ULONGLONG deadline) {
    n = 0;
    ResetEvent(overlapped_.hEvent);
    if (ReadFile(pipe_, chunk, size, &n, &overlapped_)) return true;
    if (GetLastError() != ERROR_IO_PENDING) return false;
    const ULONGLONG now = GetTickCount64();
    return now < deadline && Wait(static_cast<DWORD>(deadline - now)) &&
           GetOverlappedResult(pipe_, &overlapped_, &n, FALSE);
  }

  // True when the I/O completed; false (and cancelled) at the timeout or
  // stop. Once stopped, the I/O has a moment (kLastWords) to complete.
  bool Wait(DWORD milliseconds) {
    const HANDLE handles[2] = {overlapped_.hEvent, stop_};
    const DWORD waited =
        Stopped() ? WaitForSingleObject(overlapped_.hEvent, std::min(milliseconds, kLastWords))
                  : WaitForMultipleObjects(2, handles, FALSE, milliseconds);
    if (waited == WAIT_OBJECT_0) return true;
    CancelIo(pipe_);
    DWORD ignored = 0;
    GetOverlappedResult(pipe_, &overlapped_, &ignored, TRUE);
    return false;
  }

  HANDLE pipe_;
  HANDLE stop_;
  OVERLAPPED overlapped_ = {};
};

// One client on its instance of the pipe, served on a thread of its own.
class Connection : public ControlConnection {
 public:
  Connection(HANDLE pipe, HANDLE stop, PSID owner) : pipe_(pipe), owner_(owner), io_(pipe, stop) {}
  ~Connection() override {
    if (thread_.joinable()) thread_.join();
  }

  bool Send(std::string_view text) override { return io_.Write(text); }
  bool Gone() override { return io_.Stopped() || io_.ClientGone(); }

  void Start(const ConnectionHandler& handler) {
    thread_ = std::thread([this, &handler] {
      Serve(handler);
      // The client reads what was written, then the broken pipe: its end.
      CloseHandle(pipe_);
      done_ = true;
    });
  }
  bool Done() const { return done_; }

 private:
  void Serve(const ConnectionHandler& handler) {
    std::string line;
    std::vector<BYTE> client = PipeClientUser(pipe_);
    if (!ClientIsOwner(owner_, client.empty() ? nullptr : client.data(), line)) {
      Send(line);
      return;
    }
    switch (io_.ReadLine(line)) {
      case PipeIo::Line::kLine:
        handler(line, *this);
        break;
      case PipeIo::Line::kTooLong:
        Send("error: command line longer than " + std::to_string(kMaxLine) + " bytes\n");
        break;
      case PipeIo::Line::kNone:
        Send("error: no command line\n");
        break;
    }
  }

  HANDLE pipe_;
  PSID owner_;
  PipeIo io_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

class PipeControlChannel : public ControlChannel {
 public:
  PipeControlChannel(std::string name, std::unique_ptr<OwnerOnlyAccess> access, HANDLE first,
                     HANDLE stop, ConnectionHandler handler)
      : name_(std::move(name)),
        access_(std::move(access)),
        stop_(stop),
        handler_(std::move(handler)),
        thread_([this, first] { Run(first); }) {}

  ~PipeControlChannel() override {
    SetEvent(stop_);
    thread_.join();
    connections_.clear();  // joins each; the pipe's name goes with its last instance
    CloseHandle(stop_);
  }

 private:
  void Run(HANDLE listening) {
    while (WaitForSingleObject(stop_, 0) != WAIT_OBJECT_0) {
      if (listening == INVALID_HANDLE_VALUE) {
        listening = MakeInstance(name_, false, *access_);
        if (listening == INVALID_HANDLE_VALUE) {
          WaitForSingleObject(stop_, 1000);  // and try again
          continue;
        }
      }
      {
        PipeIo io(listening, stop_);
        if (!io.Accept()) {
          CloseHandle(listening);
          listening = INVALID_HANDLE_VALUE;
          continue;
        }
        connections_.remove_if([](const std::unique_ptr<Connection>& c) { return c->Done(); });
        if (connections_.size() >= kMaxConnections) {
          io.Write("error: " + std::to_string(kMaxConnections) +
                   " connections are served already; try again\n");
          CloseHandle(listening);
          listening = MakeInstance(name_, false, *access_);
          continue;
        }
      }
      // The next instance before this one is given away: the name stays the channel's.
      const HANDLE next = MakeInstance(name_, false, *access_);
      connections_.push_back(std::make_unique<Connection>(listening, stop_, access_->owner()));
      connections_.back()->Start(handler_);
      listening = next;
    }
    if (listening != INVALID_HANDLE_VALUE) CloseHandle(listening);
  }

  std::string name_;
  std::unique_ptr<OwnerOnlyAccess> access_;
  HANDLE stop_;
  ConnectionHandler handler_;
  std::list<std::unique_ptr<Connection>> connections_;  // the listening thread's
  std::thread thread_;
};

}  // namespace

std::unique_ptr<ControlChannel> StartControlChannel(const char* path, ConnectionHandler handler) {
  const std::string name = ControlPipeName(path);
  auto access = std::make_unique<OwnerOnlyAccess>(ProcessUser(GetCurrentProcess()));
  if (access->attributes() == nullptr) return nullptr;  // no pipe that anyone could open
  const HANDLE first = MakeInstance(name, true, *access);
  if (first == INVALID_HANDLE_VALUE) return nullptr;
  const HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (stop == nullptr) {
    CloseHandle(first);
    return nullptr;
  }
  return std::make_unique<PipeControlChannel>(name, std::move(access), first, stop,
                                              std::move(handler));
}

}  // namespace posim
