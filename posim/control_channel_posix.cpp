// The control channel on a Unix domain socket: one command line per
// connection, the reply written back before the connection is closed.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "posim/control_channel.h"

namespace posim {

namespace {

constexpr std::size_t kMaxLine = 65536;
constexpr auto kReadTime = std::chrono::seconds(3);  // for one command line, from the connection

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

// The socket's file, named so that it can be removed from any directory.
std::string AbsolutePath(const char* path) {
  if (path[0] == '/') return path;
  char directory[4096];
  if (getcwd(directory, sizeof directory) == nullptr) return path;
  return std::string(directory) + "/" + path;
}

int Listen(const char* path) {
  sockaddr_un address;
  if (!MakeAddress(path, address)) return -1;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  auto bind_it = [&] {
    return bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  };
  bool bound = bind_it();
  struct stat info;
  if (!bound && errno == EADDRINUSE && IsSocket(path, info) && !SomeoneListens(address)) {
    unlink(path);  // left behind by a program that ended without cleaning up
    bound = bind_it();
  }
  if (!bound || listen(fd, 16) != 0) {
    close(fd);
    return -1;
  }
  return fd;
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

void WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

class PosixControlChannel : public ControlChannel {
 public:
  PosixControlChannel(std::string path, const struct stat& file, int listener, int wake[2],
                      CommandHandler handler)
      : path_(std::move(path)),
        file_(file),
        listener_(listener),
        wake_read_(wake[0]),
        wake_write_(wake[1]),
        handler_(std::move(handler)),
        thread_([this] { Run(); }) {}

  ~PosixControlChannel() override {
    const char stop = 1;
    if (write(wake_write_, &stop, 1) < 0) {
      // The thread also ends when the pipe closes below.
    }
    thread_.join();
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
      if (poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return;
      }
      if (fds[1].revents != 0) return;
      if ((fds[0].revents & POLLIN) == 0) continue;
      const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (connection < 0) continue;
      std::string line;
      switch (ReadLine(connection, line)) {
        case LineResult::kLine:
          WriteAll(connection, handler_(line));
          break;
        case LineResult::kTooLong:
          WriteAll(connection,
                   "error: command line longer than " + std::to_string(kMaxLine) + " bytes\n");
          break;
        case LineResult::kNone:
          WriteAll(connection, "error: no command line\n");
          break;
      }
      close(connection);
    }
  }

  std::string path_;
  struct stat file_;
  int listener_;
  int wake_read_;
  int wake_write_;
  CommandHandler handler_;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<ControlChannel> StartControlChannel(const char* path, CommandHandler handler) {
  const int listener = Listen(path);
  if (listener < 0) return nullptr;
  struct stat file;
  int wake[2];
  if (!IsSocket(path, file) || pipe2(wake, O_CLOEXEC) != 0) {
    close(listener);
    unlink(path);
    return nullptr;
  }
  return std::make_unique<PosixControlChannel>(AbsolutePath(path), file, listener, wake,
                                               std::move(handler));
}

}  // namespace posim
