#include "bench/pty_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace bench {

PtyProgram::~PtyProgram() {
  Kill();
  if (master_ >= 0) close(master_);
}

bool PtyProgram::Start(const PtyOptions& options, std::string* error) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    *error = std::string("no pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  const std::string slave_name = ptsname(master_);
  const std::string folder = options.program.substr(0, options.program.rfind('/') + 1);
  screen_ = VtScreen(options.width, options.height);
  started_ = Clock::now();
  pid_ = fork();
  if (pid_ < 0) {
    *error = std::string("fork: ") + std::strerror(errno);
    return false;
  }
  if (pid_ == 0) {
    setsid();
    const int slave = open(slave_name.c_str(), O_RDWR);
    if (slave < 0) _exit(126);
    const winsize size{static_cast<unsigned short>(options.height),
                       static_cast<unsigned short>(options.width), 0, 0};
    ioctl(slave, TIOCSWINSZ, &size);
    if (options.pass_fd >= 0) dup2(options.pass_fd, 3);
    dup2(slave, STDIN_FILENO);
    dup2(slave, STDOUT_FILENO);
    dup2(slave, STDERR_FILENO);
    if (slave > 3) close(slave);
    if (options.ignore_hangup) signal(SIGHUP, SIG_IGN);
    setenv("TERM", "xterm", 1);
    setenv("LC_ALL", "C", 1);
    for (const std::string& v : options.environment) putenv(const_cast<char*>(v.c_str()));
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(126);
    std::vector<std::string> words = options.wrapper;
    words.push_back(options.program);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return true;
}

void PtyProgram::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(master_, bytes.data(), bytes.size());
    if (n <= 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

std::optional<Clock::time_point> PtyProgram::Read(int timeout_ms) {
  if (master_ < 0) return std::nullopt;
  pollfd p{master_, POLLIN, 0};
  if (poll(&p, 1, timeout_ms) <= 0 || !(p.revents & POLLIN)) {
    if (p.revents & (POLLHUP | POLLERR)) {
      // The program has gone; keep the screen.
      std::this_thread::sleep_for(std::chrono::milliseconds(std::min(timeout_ms, 5)));
    }
    return std::nullopt;
  }
  static char buffer[1 << 16];
  const ssize_t n = read(master_, buffer, sizeof buffer);
  const Clock::time_point read_at = Clock::now();
  if (n <= 0) return std::nullopt;
  screen_.Feed(std::string_view(buffer, static_cast<std::size_t>(n)));
  if (std::string replies = screen_.TakeReplies(); !replies.empty()) Send(replies);
  return read_at;
}

std::optional<Clock::time_point> PtyProgram::WaitFor(const Predicate& done, int timeout_ms) {
  if (done(screen_)) return Clock::now();
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
    const std::optional<Clock::time_point> read_at =
        Read(static_cast<int>(std::max<long>(1, left)));
    if (read_at && done(screen_)) return read_at;
  }
  return std::nullopt;
}

std::optional<Clock::time_point> PtyProgram::WaitForText(std::string_view text, int timeout_ms) {
  return WaitFor([text](const VtScreen& s) { return s.Shows(text); }, timeout_ms);
}

void PtyProgram::WaitQuiet(int quiet_ms, int timeout_ms) {
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (Clock::now() < end && Read(quiet_ms)) {
  }
}

void PtyProgram::Resize(int width, int height) {
  const winsize size{static_cast<unsigned short>(height), static_cast<unsigned short>(width), 0, 0};
  ioctl(master_, TIOCSWINSZ, &size);
  screen_.Resize(width, height);
}

void PtyProgram::Hangup() {
  if (master_ >= 0) close(master_);
  master_ = -1;
}

namespace {

// A field of /proc/PID/stat (1-based, after the command's parentheses).
std::string StatField(pid_t pid, int field) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t close = all.rfind(')');
  if (close == std::string::npos) return {};
  std::istringstream rest(all.substr(close + 2));
  std::string value;
  for (int i = 3; i <= field && (rest >> value); ++i) {
  }
  return value;
}

}  // namespace

long PtyProgram::ResidentBytes() const {
  if (pid_ <= 0) return 0;
  std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6) * 1024;
  }
  return 0;
}

double PtyProgram::CpuSeconds() const {
  if (pid_ <= 0) return 0;
  const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
  return (std::atof(StatField(pid_, 14).c_str()) + std::atof(StatField(pid_, 15).c_str())) / ticks;
}

std::optional<int> PtyProgram::WaitExit(int timeout_ms) {
  if (pid_ <= 0) return std::nullopt;
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (true) {
    int status = 0;
    const pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
      pid_ = -1;
      return status;
    }
    if (Clock::now() >= end) return std::nullopt;
    // Keep reading, so that a program writing to a full terminal is not stuck.
    if (!Read(2)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void PtyProgram::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

std::string ScreenText(const VtScreen& screen) {
  std::string text;
  for (int y = 0; y < screen.height(); ++y) {
    std::string row = screen.Row(y);
    row.erase(row.find_last_not_of(' ') + 1);
    text += row + "\n";
  }
  return text;
}

}  // namespace bench
