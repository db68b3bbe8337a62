// posimctl's side of the control channel: finding the simulator, one request
// and its reply, streams read as they arrive, and Ctrl-C caught so that it
// ends a wait rather than posimctl (control_client_posix.cpp,
// control_client_win32.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace posimctl {

// Where to connect: the socket given with -s, else "posim.sock" in the
// current folder, else beside posimctl.
struct Endpoint {
  std::string socket;  // empty: look in the usual places
};

// One command and its whole reply; false with the reason when there is no
// reply at all.
bool Request(const Endpoint& endpoint, const std::string& line, std::string& reply,
             std::string& error);

// Ctrl-C (on POSIX hosts also SIGTERM and SIGHUP) stops the waits of
// posimctl instead of ending it; Stopped tells whether one came.
void CatchStops();
bool Stopped();

// Takes the first whole line out of buffer, without its line end.
bool TakeLine(std::string& buffer, std::string& line);

// A stream opened on the control channel (trace, watch), read as it arrives.
class Stream {
 public:
  Stream() = default;
  ~Stream();
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  // Sends line and reads its "ok"; false with the reason printed (nothing
  // when stopped). What came with the "ok" is Next's.
  bool Open(const Endpoint& endpoint, const std::string& line);

  enum class Waited { kTimeUp, kArrived, kStopped, kEnded };
  // Waits up to ms milliseconds (-1: no limit) for what the stream brings,
  // or only for a stop when none is open.
  Waited Await(long ms);

  // The next whole line without its line end, if one has arrived.
  bool Next(std::string& line) { return TakeLine(buffer_, line); }

 private:
  // Reads up to the command's "ok" (what follows it stays for Next); false
  // with the refusal printed, nothing when stopped.
  bool TakeOk();

  std::intptr_t channel_ = -1;  // a descriptor, on Windows a HANDLE; -1: none
  std::string buffer_;
};

#if !defined(_WIN32)

// A connected socket, or -1 with the reason in error (what is really wrong:
// no session, a socket of another user, a simulator that runs without its
// socket and why).
int Connect(const Endpoint& endpoint, std::string& error);

bool SendLine(int fd, const std::string& line);

// Waits up to ms milliseconds, or until a stop (false) or fd is readable.
// fd -1: none.
bool WaitFor(int fd, long ms);

#endif  // !_WIN32

}  // namespace posimctl
