// The live view's console on Windows: escapes understood once the output is
// put in virtual terminal mode; keys read as console input events.
#include <windows.h>

#include "posim/posimctl/posimctl_screen.h"

namespace posimctl {

struct Screen::State {
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD in_mode = 0;
  DWORD out_mode = 0;
  bool live = false;
  bool keys = false;
};

Screen::Screen() : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.live = GetConsoleMode(s.out, &s.out_mode) &&
           SetConsoleMode(
               s.out, s.out_mode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  if (!s.live) return;
  // Ctrl-C stays a stop (processed input); q comes without Enter or echo.
  s.keys = GetConsoleMode(s.in, &s.in_mode) &&
           SetConsoleMode(s.in, (s.in_mode & ~(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT)) |
                                    ENABLE_PROCESSED_INPUT);
  Put("\x1b[?1049h\x1b[?25l");
}

Screen::~Screen() {
  const State& s = *state_;
  if (!s.live) return;
  Put("\x1b[?25h\x1b[?1049l");
  SetConsoleMode(s.out, s.out_mode);
  if (s.keys) SetConsoleMode(s.in, s.in_mode);
}

bool Screen::live() const {
  return state_->live;
}

bool Screen::keys() const {
  return state_->keys;
}

void Screen::Size(int& rows, int& columns) const {
  CONSOLE_SCREEN_BUFFER_INFO info;
  const bool told = GetConsoleScreenBufferInfo(state_->out, &info);
  rows = told ? info.srWindow.Bottom - info.srWindow.Top + 1 : 24;
  columns = told ? info.srWindow.Right - info.srWindow.Left + 1 : 80;
}

bool Screen::Quit() {
  DWORD waiting = 0;
  while (state_->keys && GetNumberOfConsoleInputEvents(state_->in, &waiting) && waiting > 0) {
    INPUT_RECORD record;
    DWORD n = 0;
    if (!ReadConsoleInputA(state_->in, &record, 1, &n) || n == 0) return false;
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (record.EventType == KEY_EVENT && key.bKeyDown &&
        (key.uChar.AsciiChar == 'q' || key.uChar.AsciiChar == 'Q')) {
      return true;
    }
  }
  return false;
}

void Screen::Put(const std::string& text) {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  std::size_t done = 0;
  while (done < text.size()) {
    DWORD n = 0;
    if (!WriteFile(out, text.data() + done, static_cast<DWORD>(text.size() - done), &n, nullptr) ||
        n == 0) {
      return;
    }
    done += n;
  }
}

}  // namespace posimctl
