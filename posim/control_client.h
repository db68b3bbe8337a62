// posimctl's side of the control channel: finding the simulator, one request
// and its reply (control_client_posix.cpp, control_client_win32.cpp); on
// POSIX hosts also streams read line by line, and the stop signals (Ctrl-C,
// hang-up, termination) as a readable descriptor that every wait watches.
#pragma once

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

#if !defined(_WIN32)

// A connected socket, or -1 with the reason in error (what is really wrong:
// no session, a socket of another user, a simulator that runs without its
// socket and why).
int Connect(const Endpoint& endpoint, std::string& error);

bool SendLine(int fd, const std::string& line);

// A stream's lines as they arrive.
class LineReader {
 public:
  explicit LineReader(int fd) : fd_(fd) {}
  // Reads what has arrived (blocking until something does); false at the end.
  bool Fill();
  // The next whole line without its line end, if one has arrived.
  bool Next(std::string& line);
  int fd() const { return fd_; }

 private:
  int fd_;
  std::string buffer_;
};

// Ctrl-C, SIGTERM and SIGHUP make StopFd readable instead of ending posimctl.
void CatchStops();
int StopFd();
bool Stopped();
// Waits up to ms milliseconds, or until a stop (false) or fd is readable.
// fd -1: none.
bool WaitFor(int fd, long ms);

#endif  // !_WIN32

}  // namespace posimctl
