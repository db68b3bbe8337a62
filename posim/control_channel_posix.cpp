// The control channel on a Unix domain socket: one command line per
// connection, the reply written back before the connection is closed.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "posim/control_channel.h"

namespace posim {

namespace {

constexpr std::size_t kMaxLine = 65536;
constexpr int kReadTimeoutMs = 2000;

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

int Listen(const char* path) {
  sockaddr_un address;
  if (!MakeAddress(path, address)) return -1;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  auto bind_it = [&] {
    return bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  };
  bool bound = bind_it();
  if (!bound && errno == EADDRINUSE && !SomeoneListens(address)) {
    unlink(path);  // left behind by a simulator that ended without cleaning up
    bound = bind_it();
  }
  if (!bound || listen(fd, 16) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

std::string ReadLine(int fd) {
  std::string line;
  char chunk[4096];
  while (line.size() < kMaxLine) {
    pollfd p = {fd, POLLIN, 0};
    if (poll(&p, 1, kReadTimeoutMs) <= 0) break;
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n <= 0) break;
    line.append(chunk, static_cast<std::size_t>(n));
    if (line.find('\n') != std::string::npos) break;
  }
  const std::size_t end = line.find_first_of("\r\n");
  if (end != std::string::npos) line.resize(end);
  return line;
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
  PosixControlChannel(std::string path, int listener, int wake[2], CommandHandler handler)
      : path_(std::move(path)),
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
    unlink(path_.c_str());
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
      WriteAll(connection, handler_(ReadLine(connection)));
      close(connection);
    }
  }

  std::string path_;
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
  int wake[2];
  if (pipe2(wake, O_CLOEXEC) != 0) {
    close(listener);
    unlink(path);
    return nullptr;
  }
  return std::make_unique<PosixControlChannel>(path, listener, wake, std::move(handler));
}

}  // namespace posim
