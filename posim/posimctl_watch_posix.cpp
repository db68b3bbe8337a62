// posimctl watch [DEVICE|all]: the simulator's view, redrawn in place on the
// terminal's other screen whenever it changes, until q, Ctrl-C or the end of
// the session; the terminal is given back as it was. Without a terminal the
// views are printed one after the other, each ended by an empty line.
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "posim/control_streams.h"
#include "posim/posimctl.h"

namespace posimctl {

namespace {

volatile sig_atomic_t resized = 0;

void OnResize(int) {
  resized = 1;
}

void Put(const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(STDOUT_FILENO, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

// The terminal in the view's state for as long as it lives: the other
// screen, no cursor, keys read one at a time without echo.
class Screen {
 public:
  Screen() {
    if (tcgetattr(STDIN_FILENO, &saved_) == 0) {
      keys_ = true;
      termios raw = saved_;
      raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
      raw.c_cc[VMIN] = 0;
      raw.c_cc[VTIME] = 0;
      tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    Put("\x1b[?1049h\x1b[?25l");
  }
  ~Screen() {
    Put("\x1b[?25h\x1b[?1049l");
    if (keys_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
  }
  bool keys() const { return keys_; }

 private:
  termios saved_{};
  bool keys_ = false;
};

// The view's lines, cut to the terminal: the first line, and as many of the
// last ones as fit, each at most as wide as the terminal.
void Draw(const std::vector<std::string>& lines, const std::string& what) {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_row < 3 || size.ws_col < 10) {
    size.ws_row = 24;
    size.ws_col = 80;
  }
  const std::size_t rows = size.ws_row - 1u;  // the last row tells how to end
  std::vector<std::string> shown;
  if (lines.size() <= rows) {
    shown = lines;
  } else {
    shown.push_back(lines.front());
    shown.push_back("... " + std::to_string(lines.size() - rows + 1) + " lines above");
    shown.insert(shown.end(), lines.end() - static_cast<long>(rows - 2), lines.end());
  }
  std::string text = "\x1b[H";
  for (const std::string& line : shown) text += line.substr(0, size.ws_col) + "\x1b[K\r\n";
  char clock[16];
  const std::time_t now = std::time(nullptr);
  std::strftime(clock, sizeof clock, "%H:%M:%S", std::localtime(&now));
  const std::string status = "watch " + what + " - q or Ctrl-C ends - as of " + clock;
  text += "\x1b[J\x1b[" + std::to_string(size.ws_row) + ";1H\x1b[7m" +
          status.substr(0, size.ws_col) + "\x1b[0m\x1b[K";
  Put(text);
}

// Whether q was typed.
bool Quit() {
  char key;
  while (read(STDIN_FILENO, &key, 1) == 1) {
    if (key == 'q' || key == 'Q') return true;
  }
  return false;
}

}  // namespace

int Watch(const Endpoint& endpoint, const std::vector<std::string>& words) {
  if (words.size() > 1) {
    std::fprintf(stderr, "usage: posimctl watch [DEVICE|all]\n");
    return 2;
  }
  const std::string what = words.empty() ? "all" : words[0];
  CatchStops();
  std::string rest;
  const int fd = OpenStream(endpoint, "watch " + what, rest);
  if (fd < 0) return Stopped() ? 0 : 1;
  const bool terminal = isatty(STDOUT_FILENO) != 0;
  std::unique_ptr<Screen> screen;
  if (terminal) {
    screen = std::make_unique<Screen>();
    struct sigaction action {};
    action.sa_handler = OnResize;
    sigemptyset(&action.sa_mask);
    sigaction(SIGWINCH, &action, nullptr);
  }
  LineReader reader(fd);
  std::vector<std::string> view, last;
  bool ended = false;
  std::string pending = rest;
  while (!Stopped()) {
    // Lines that came with the "ok" first, then what the stream brings.
    std::size_t end;
    while ((end = pending.find('\n')) != std::string::npos) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (line + "\n" != posim::kViewEnd) {
        view.push_back(line);
        continue;
      }
      last = view;
      view.clear();
      if (terminal) {
        Draw(last, what);
      } else {
        std::string text;
        for (const std::string& l : last) text += l + "\n";
        Put(text + "\n");
      }
    }
    if (resized && terminal) {
      resized = 0;
      Draw(last, what);
    }
    pollfd fds[3] = {{StopFd(), POLLIN, 0}, {fd, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    const bool keys = screen != nullptr && screen->keys();
    if (poll(fds, keys ? 3 : 2, -1) < 0) continue;  // a resize
    if (keys && ((fds[2].revents & POLLIN) != 0 ? Quit() : fds[2].revents != 0)) break;
    if ((fds[1].revents & (POLLIN | POLLHUP)) != 0) {
      if (!reader.Fill()) {
        ended = true;
        break;
      }
      std::string line;
      while (reader.Next(line)) pending += line + "\n";
    }
  }
  screen.reset();
  close(fd);
  if (ended) std::fprintf(stderr, "posimctl: the POS session ended\n");
  return 0;
}

}  // namespace posimctl
