// The live view's terminal on POSIX hosts: termios for the keys.
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "posim/posimctl/posimctl_screen.h"

namespace posimctl {

struct Screen::State {
  termios saved{};
  bool keys = false;
};

Screen::Screen() : state_(std::make_unique<State>()) {
  if (tcgetattr(STDIN_FILENO, &state_->saved) == 0) {
    state_->keys = true;
    termios raw = state_->saved;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  }
  Put("\x1b[?1049h\x1b[?25l");
}

Screen::~Screen() {
  Put("\x1b[?25h\x1b[?1049l");
  if (state_->keys) tcsetattr(STDIN_FILENO, TCSANOW, &state_->saved);
}

bool Screen::live() const {
  return true;
}

bool Screen::keys() const {
  return state_->keys;
}

void Screen::Size(int& rows, int& columns) const {
  winsize size{};
  const bool told = ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0;
  rows = told ? size.ws_row : 24;
  columns = told ? size.ws_col : 80;
}

bool Screen::Quit() {
  char key;
  while (state_->keys && read(STDIN_FILENO, &key, 1) == 1) {
    if (key == 'q' || key == 'Q') return true;
  }
  return false;
}

void Screen::Put(const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(STDOUT_FILENO, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace posimctl
