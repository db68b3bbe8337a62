// The control channel on a named pipe (see control_pipe_win32.h): one client
// at a time sends one command line and reads the reply.
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>

#include "posim/control_channel.h"
#include "posim/control_pipe_win32.h"

namespace posim {

namespace {

constexpr std::size_t kMaxLine = 65536;
constexpr DWORD kReadTime = 3000;  // ms, for one command, from the connection

// Overlapped I/O on the pipe that gives up at a deadline or when stop is set.
class PipeIo {
 public:
  PipeIo(HANDLE pipe, HANDLE stop) : pipe_(pipe), stop_(stop) {
    overlapped_.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  }
  ~PipeIo() { CloseHandle(overlapped_.hEvent); }
  PipeIo(const PipeIo&) = delete;
  PipeIo& operator=(const PipeIo&) = delete;

  // Waits for a client; false when stopped.
  bool Connect() {
    ResetEvent(overlapped_.hEvent);
    if (ConnectNamedPipe(pipe_, &overlapped_)) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_PIPE_CONNECTED) return true;
    if (error != ERROR_IO_PENDING) {
      Disconnect();  // a client that came and went: wait for the next one
      return !Stopped();
    }
    DWORD ignored = 0;
    return Wait(INFINITE) && GetOverlappedResult(pipe_, &overlapped_, &ignored, FALSE);
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

  void Write(const std::string& reply) {
    const std::string text = FramedReply(reply);
    DWORD n = 0;
    ResetEvent(overlapped_.hEvent);
    if (!WriteFile(pipe_, text.data(), static_cast<DWORD>(text.size()), &n, &overlapped_) &&
        GetLastError() == ERROR_IO_PENDING && Wait(kReadTime)) {
      GetOverlappedResult(pipe_, &overlapped_, &n, FALSE);
    }
  }

  // Lets the client read the reply (it closes its end when it has) before
  // the connection is dropped; what it sent beyond its line is passed over.
  void Finish() {
    char chunk[4096];
    const ULONGLONG deadline = GetTickCount64() + kReadTime;
    for (DWORD n = 0; Read(chunk, sizeof chunk, n, deadline);) {
    }
    Disconnect();
  }

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

  // True when the I/O completed; false (and cancelled) at the timeout or stop.
  bool Wait(DWORD milliseconds) {
    const HANDLE handles[2] = {overlapped_.hEvent, stop_};
    if (WaitForMultipleObjects(2, handles, FALSE, milliseconds) == WAIT_OBJECT_0) return true;
    CancelIo(pipe_);
    DWORD ignored = 0;
    GetOverlappedResult(pipe_, &overlapped_, &ignored, TRUE);
    return false;
  }
  bool Stopped() const { return WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0; }
  void Disconnect() { DisconnectNamedPipe(pipe_); }

  HANDLE pipe_;
  HANDLE stop_;
  OVERLAPPED overlapped_ = {};
};

class PipeControlChannel : public ControlChannel {
 public:
  PipeControlChannel(HANDLE pipe, HANDLE stop, CommandHandler handler)
      : pipe_(pipe), stop_(stop), handler_(std::move(handler)), thread_([this] { Run(); }) {}

  ~PipeControlChannel() override {
    SetEvent(stop_);
    thread_.join();
    CloseHandle(pipe_);  // the pipe's name goes with its last handle
    CloseHandle(stop_);
  }

 private:
  void Run() {
    PipeIo io(pipe_, stop_);
    while (io.Connect()) {
      std::string line;
      switch (io.ReadLine(line)) {
        case PipeIo::Line::kLine:
          io.Write(handler_(line));
          break;
        case PipeIo::Line::kTooLong:
          io.Write("error: command line longer than " + std::to_string(kMaxLine) + " bytes\n");
          break;
        case PipeIo::Line::kNone:
          io.Write("error: no command line\n");
          break;
      }
      io.Finish();
    }
  }

  HANDLE pipe_;
  HANDLE stop_;
  CommandHandler handler_;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<ControlChannel> StartControlChannel(const char* path, CommandHandler handler) {
  // The first instance only: a live channel of another program keeps its name.
  const HANDLE pipe =
      CreateNamedPipeA(ControlPipeName(path).c_str(),
                       PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                       PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                       1, 4096, 4096, 0, nullptr);
  if (pipe == INVALID_HANDLE_VALUE) return nullptr;
  const HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (stop == nullptr) {
    CloseHandle(pipe);
    return nullptr;
  }
  return std::make_unique<PipeControlChannel>(pipe, stop, std::move(handler));
}

}  // namespace posim
