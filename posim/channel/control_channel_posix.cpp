// The control channel on a Unix domain socket that only its owner may use:
// the socket file is readable and writable by the owner alone, and every
// connection's peer must be of the same user (SO_PEERCRED). Each connection
// is served on a thread of its own.
#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <list>
#include <string>
#include <thread>

#include "posim/channel/control_channel.h"
#include "posim/channel/control_note.h"

namespace posim {

namespace {

constexpr std::size_t kMaxLine = 65536;
constexpr auto kReadTime = std::chrono::seconds(3);  // for one command line, from the connection
constexpr std::size_t kMaxConnections = 32;          // served at once
constexpr auto kLastWords = std::chrono::milliseconds(500);  // for the connections, at the end

bool MakeAddress(const char* path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (std::strlen(path) >= sizeof address.sun_path) return false;
  std::strcpy(address.sun_path, path);
  return true;
}

// Whether a live listener answers at the address.
bool SomeoneListens(const sockaddr_un& address) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool live = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return live;
}

bool IsSocket(const char* path, struct stat& info) {
  return lstat(path, &info) == 0 && S_ISSOCK(info.st_mode);
}

std::string CurrentFolder() {
  char directory[4096];
  return getcwd(directory, sizeof directory) == nullptr ? "." : directory;
}

// The socket's file, named so that it can be removed from any directory.
std::string AbsolutePath(const char* path) {
  return path[0] == '/' ? path : CurrentFolder() + "/" + path;
}

std::string UserName(uid_t uid) {
  char buffer[1024];
  passwd entry;
  passwd* found = nullptr;
  if (getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr) {
    return std::string(found->pw_name) + " (uid " + std::to_string(uid) + ")";
  }
  return "uid " + std::to_string(uid);
}

// A listening socket at path that only its owner may use, or -1 and why not.
int Listen(const char* path, std::string& why) {
  const std::string shown = AbsolutePath(path);
  sockaddr_un address;
  if (!MakeAddress(path, address)) {
    why = shown + " is too long a name for a socket";
    return -1;
  }
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    why = std::string("no socket: ") + std::strerror(errno);
    return -1;
  }
  auto bind_it = [&] {
    return bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  };
  bool bound = bind_it();
  struct stat info;
  if (!bound && errno == EADDRINUSE && IsSocket(path, info) && !SomeoneListens(address)) {
    unlink(path);  // left behind by a program that ended without cleaning up
    bound = bind_it();
  }
  if (!bound) {
    const int error = errno;
    if (error != EADDRINUSE) {
      why = "cannot create " + shown + ": " + std::strerror(error);
    } else if (IsSocket(path, info)) {
      why = "another program listens at " + shown;
    } else {
      why = shown + " is there already and is no socket (left as it is)";
    }
  } else if (chmod(path, S_IRUSR | S_IWUSR) != 0) {
    why = "cannot keep " + shown + " to its owner: " + std::strerror(errno);
    unlink(path);
  } else if (listen(fd, 16) != 0) {
    why = "cannot listen at " + shown + ": " + std::strerror(errno);
    unlink(path);
  } else {
    return fd;
  }
  close(fd);
  return -1;
}

// Whether the peer is of the channel's user; else the refusal it is sent.
bool PeerIsOwner(int fd, std::string& refusal) {
  ucred peer{};
  socklen_t size = sizeof peer;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid()) {
    return true;
  }
  refusal = OwnerOnlyRefusal(UserName(geteuid()), UserName(peer.uid));
  return false;
}

enum class LineResult { kLine, kTooLong, kNone };

// One command line, up to its line end or the end of the stream. A longer
// line than kMaxLine is read to its end and dropped, so that the sender sees
// the reply.
LineResult ReadLine(int fd, std::string& line) {
  line.clear();
  bool too_long = false;
  bool ended = false;
  char chunk[4096];
  const auto deadline = std::chrono::steady_clock::now() + kReadTime;
  while (!ended) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p = {fd, POLLIN, 0};
    if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) {
      return too_long ? LineResult::kTooLong : LineResult::kNone;
    }
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0) return LineResult::kNone;
    if (n == 0) break;
    const char* end =
        static_cast<const char*>(std::memchr(chunk, '\n', static_cast<std::size_t>(n)));
    ended = end != nullptr;
    const std::size_t take =
        ended ? static_cast<std::size_t>(end - chunk) : static_cast<std::size_t>(n);
    if (line.size() + take > kMaxLine) too_long = true;
    if (!too_long) line.append(chunk, take);
  }
  if (too_long) return LineResult::kTooLong;
  if (!ended && line.empty()) return LineResult::kNone;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return LineResult::kLine;
}

class Connection : public ControlConnection {
 public:
  Connection(int fd, const std::atomic<bool>& stopping) : fd_(fd), stopping_(stopping) {}
  ~Connection() override {
    if (thread_.joinable()) thread_.join();
    close(fd_);
  }

  bool Send(std::string_view text) override {
    std::size_t done = 0;
    while (done < text.size()) {
      const int flags = MSG_NOSIGNAL | (stopping_ ? MSG_DONTWAIT : 0);
      const ssize_t n = send(fd_, text.data() + done, text.size() - done, flags);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }

  bool Gone() override {
    if (stopping_) return true;
    pollfd p = {fd_, POLLRDHUP, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL)) != 0;
  }

  void Start(const ConnectionHandler& handler) {
    thread_ = std::thread([this, &handler] {
      Serve(handler);
      // The client reads to the end: it comes now, not when the thread is reaped.
      shutdown(fd_, SHUT_RDWR);
      done_ = true;
    });
  }
  bool Done() const { return done_; }
  // Wakes the thread from a blocking read; from a write too with Interrupt.
  void StopReading() { shutdown(fd_, SHUT_RD); }
  void Interrupt() { shutdown(fd_, SHUT_RDWR); }

 private:
  void Serve(const ConnectionHandler& handler) {
    std::string line;
    if (!PeerIsOwner(fd_, line)) {
      Send(line);
      return;
    }
    switch (ReadLine(fd_, line)) {
      case LineResult::kLine:
        handler(line, *this);
        break;
      case LineResult::kTooLong:
        Send("error: command line longer than " + std::to_string(kMaxLine) + " bytes\n");
        break;
      case LineResult::kNone:
        Send("error: no command line\n");
        break;
    }
  }

  int fd_;
  const std::atomic<bool>& stopping_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

class PosixControlChannel : public ControlChannel {
 public:
  PosixControlChannel(std::string path, const struct stat& file, int listener, int wake[2],
                      ConnectionHandler handler)
      : path_(std::move(path)),
        file_(file),
        listener_(listener),
        wake_read_(wake[0]),
        wake_write_(wake[1]),
        handler_(std::move(handler)),
        thread_([this] { Run(); }) {}

  ~PosixControlChannel() override {
    stopping_ = true;
    const char stop = 1;
    if (write(wake_write_, &stop, 1) < 0) {
      // The thread also ends when the pipe closes below.
    }
    thread_.join();
    // A connection that waits for its line ends at once; streams send what
    // they hold and end; whoever is still busy then is cut off.
    for (auto& connection : connections_) connection->StopReading();
    const auto deadline = std::chrono::steady_clock::now() + kLastWords;
    while (std::chrono::steady_clock::now() < deadline &&
           std::any_of(connections_.begin(), connections_.end(),
                       [](const std::unique_ptr<Connection>& c) { return !c->Done(); })) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    for (auto& connection : connections_) connection->Interrupt();
    connections_.clear();  // joins each
    close(listener_);
    close(wake_read_);
    close(wake_write_);
    // Only the file this channel made: another program may listen there by now.
    struct stat info;
    if (IsSocket(path_.c_str(), info) && info.st_ino == file_.st_ino &&
        info.st_dev == file_.st_dev) {
      unlink(path_.c_str());
    }
  }

 private:
  void Run() {
    while (true) {
      pollfd fds[2] = {{listener_, POLLIN, 0}, {wake_read_, POLLIN, 0}};
      if (poll(fds, 2, 1000) < 0 && errno != EINTR) return;
      if (fds[1].revents != 0) return;
      connections_.remove_if([](const std::unique_ptr<Connection>& c) { return c->Done(); });
      if ((fds[0].revents & POLLIN) == 0) continue;
      const int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      if (connections_.size() >= kMaxConnections) {
        const std::string busy = "error: " + std::to_string(kMaxConnections) +
                                 " connections are served already; try again\n";
        if (send(fd, busy.data(), busy.size(), MSG_NOSIGNAL | MSG_DONTWAIT) < 0) {
          // The client learns it from the closed connection.
        }
        close(fd);
        continue;
      }
      connections_.push_back(std::make_unique<Connection>(fd, stopping_));
      connections_.back()->Start(handler_);
    }
  }

  std::string path_;
  struct stat file_;
  int listener_;
  int wake_read_;
  int wake_write_;
  ConnectionHandler handler_;
  std::atomic<bool> stopping_{false};
  std::list<std::unique_ptr<Connection>> connections_;  // the listening thread's
  std::thread thread_;
};

// A channel that could not listen: it keeps word of why for posimctl.
class NoteOnly : public ControlChannel {
 public:
  ~NoteOnly() override { RemoveControlNote(); }
};

}  // namespace

std::unique_ptr<ControlChannel> StartControlChannel(const char* path, ConnectionHandler handler) {
  std::string why;
  const int listener = Listen(path, why);
  struct stat file;
  int wake[2];
  if (listener >= 0 && (!IsSocket(path, file) || pipe2(wake, O_CLOEXEC) != 0)) {
    why = "cannot watch " + AbsolutePath(path);
    close(listener);
    unlink(path);
  } else if (listener >= 0) {
    return std::make_unique<PosixControlChannel>(AbsolutePath(path), file, listener, wake,
                                                 std::move(handler));
  }
  if (!LeaveControlNote(CurrentFolder(), why)) return nullptr;
  return std::make_unique<NoteOnly>();
}

}  // namespace posim
