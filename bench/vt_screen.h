// A small terminal emulator: it keeps the screen that the bytes a curses
// program writes for TERM=xterm would leave on a real terminal, so that the
// benchmark and the tests can read what a person would see. Colours and
// attributes are dropped; line-drawing characters read as + - | and #.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bench {

class VtScreen {
 public:
  VtScreen(int width, int height);

  // The terminal took a new size; what fits stays.
  void Resize(int width, int height);
  // Takes the next bytes of the program's output (sequences may be split
  // across calls).
  void Feed(std::string_view bytes);

  int width() const { return width_; }
  int height() const { return height_; }
  int cursor_x() const { return x_; }
  int cursor_y() const { return y_; }
  // The characters of a row, width() of them.
  std::string Row(int y) const;
  bool Shows(std::string_view text) const;

  // Answers the terminal owes the program (cursor position reports); taken
  // by whoever writes to the program.
  std::string TakeReplies();

 private:
  enum class State {
    kGround,
    kEscape,
    kCharset,
    kOtherCharset,
    kCsi,
    kString,
    kStringEscape,
    kUtf8
  };

  char& At(int x, int y) { return cells_[static_cast<std::size_t>(y * width_ + x)]; }
  void Put(char c);
  void LineFeed();
  void ReverseLineFeed();
  void ScrollUp(int top, int bottom, int n);
  void ScrollDown(int top, int bottom, int n);
  void ClearRow(int y, int from, int to);
  void Escape(char c);
  void Csi(char final);
  int Param(std::size_t i, int fallback) const;
  void MoveTo(int x, int y);

  int width_, height_;
  std::vector<char> cells_;
  int x_ = 0, y_ = 0;
  int saved_x_ = 0, saved_y_ = 0;
  int top_ = 0, bottom_ = 0;  // the scrolling region, rows inclusive
  bool wrap_pending_ = false;
  bool insert_mode_ = false;
  bool line_drawing_ = false;  // G0 is the line-drawing set
  char last_ = ' ';
  State state_ = State::kGround;
  std::string params_;
  int utf8_left_ = 0;
  std::string replies_;
};

}  // namespace bench
