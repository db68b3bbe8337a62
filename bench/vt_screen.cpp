#include "bench/vt_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace bench {
namespace {

// The VT100 line-drawing set as plain characters.
char LineDrawing(char c) {
  switch (c) {
    case 'j':
    case 'k':
    case 'l':
    case 'm':
    case 'n':
    case 't':
    case 'u':
    case 'v':
    case 'w':
      return '+';
    case 'q':
      return '-';
    case 'x':
      return '|';
    case 'a':
      return '#';
    default:
      return c;
  }
}

}  // namespace

VtScreen::VtScreen(int width, int height) : width_(0), height_(0) {
  Resize(width, height);
}

void VtScreen::Resize(int width, int height) {
  std::vector<char> cells(static_cast<std::size_t>(width * height), ' ');
  for (int y = 0; y < std::min(height, height_); ++y)
    for (int x = 0; x < std::min(width, width_); ++x)
      cells[static_cast<std::size_t>(y * width + x)] = At(x, y);
  cells_ = std::move(cells);
  width_ = width;
  height_ = height;
  top_ = 0;
  bottom_ = height - 1;
  MoveTo(x_, y_);
}

std::string VtScreen::Row(int y) const {
  if (y < 0 || y >= height_) return {};
  return std::string(cells_.begin() + y * width_, cells_.begin() + (y + 1) * width_);
}

bool VtScreen::Shows(std::string_view text) const {
  for (int y = 0; y < height_; ++y)
    if (Row(y).find(text) != std::string::npos) return true;
  return false;
}

std::string VtScreen::TakeReplies() {
  std::string r;
  r.swap(replies_);
  return r;
}

void VtScreen::MoveTo(int x, int y) {
  x_ = std::clamp(x, 0, std::max(0, width_ - 1));
  y_ = std::clamp(y, 0, std::max(0, height_ - 1));
  wrap_pending_ = false;
}

void VtScreen::ClearRow(int y, int from, int to) {
  for (int x = std::max(0, from); x < std::min(to, width_); ++x) At(x, y) = ' ';
}

void VtScreen::ScrollUp(int top, int bottom, int n) {
  for (int i = 0; i < n; ++i) {
    for (int y = top; y < bottom; ++y)
      std::copy_n(cells_.begin() + (y + 1) * width_, width_, cells_.begin() + y * width_);
    ClearRow(bottom, 0, width_);
  }
}

void VtScreen::ScrollDown(int top, int bottom, int n) {
  for (int i = 0; i < n; ++i) {
    for (int y = bottom; y > top; --y)
      std::copy_n(cells_.begin() + (y - 1) * width_, width_, cells_.begin() + y * width_);
    ClearRow(top, 0, width_);
  }
}

void VtScreen::LineFeed() {
  if (y_ == bottom_)
    ScrollUp(top_, bottom_, 1);
  else if (y_ < height_ - 1)
    ++y_;
  wrap_pending_ = false;
}

void VtScreen::ReverseLineFeed() {
  if (y_ == top_)
    ScrollDown(top_, bottom_, 1);
  else if (y_ > 0)
    --y_;
  wrap_pending_ = false;
}

void VtScreen::Put(char c) {
  if (width_ == 0 || height_ == 0) return;
  if (wrap_pending_) {
    x_ = 0;
    LineFeed();
  }
  if (insert_mode_) {
    for (int x = width_ - 1; x > x_; --x) At(x, y_) = At(x - 1, y_);
  }
  At(x_, y_) = c;
  last_ = c;
  if (x_ == width_ - 1)
    wrap_pending_ = true;
  else
    ++x_;
}

void VtScreen::Feed(std::string_view bytes) {
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    switch (state_) {
      case State::kGround:
        if (b == 0x1B) {
          state_ = State::kEscape;
        } else if (b >= 0x20 && b < 0x7F) {
          Put(line_drawing_ ? LineDrawing(c) : c);
        } else if (b >= 0xC0) {
          // A character beyond ASCII: one cell, shown as '?'.
          utf8_left_ = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
          state_ = State::kUtf8;
          Put('?');
        } else if (b == '\r') {
          MoveTo(0, y_);
        } else if (b == '\n' || b == 0x0B || b == 0x0C) {
          LineFeed();
        } else if (b == 0x08) {
          MoveTo(x_ - 1, y_);
        } else if (b == '\t') {
          MoveTo(std::min(width_ - 1, (x_ / 8 + 1) * 8), y_);
        }
        break;
      case State::kUtf8:
        if ((b & 0xC0) != 0x80 || --utf8_left_ == 0) state_ = State::kGround;
        break;
      case State::kEscape:
        Escape(c);
        break;
      case State::kCharset:
        line_drawing_ = c == '0';
        state_ = State::kGround;
        break;
      case State::kOtherCharset:
        state_ = State::kGround;
        break;
      case State::kCsi:
        if (b >= 0x40 && b <= 0x7E) {
          state_ = State::kGround;
          Csi(c);
        } else {
          params_.push_back(c);
        }
        break;
      case State::kString:
        if (b == 0x07) state_ = State::kGround;
        if (b == 0x1B) state_ = State::kStringEscape;
        break;
      case State::kStringEscape:
        state_ = c == '\\' ? State::kGround : State::kString;
        break;
    }
  }
}

void VtScreen::Escape(char c) {
  state_ = State::kGround;
  switch (c) {
    case '[':
      params_.clear();
      state_ = State::kCsi;
      break;
    case ']':
    case 'P':
    case '_':
    case '^':
      state_ = State::kString;
      break;
    case '(':
      state_ = State::kCharset;
      break;
    case ')':
    case '*':
    case '+':
      state_ = State::kOtherCharset;  // G1..G3: not used for drawing here
      break;
    case 'D':
      LineFeed();
      break;
    case 'E':
      MoveTo(0, y_);
      LineFeed();
      break;
    case 'M':
      ReverseLineFeed();
      break;
    case '7':
      saved_x_ = x_;
      saved_y_ = y_;
      break;
    case '8':
      MoveTo(saved_x_, saved_y_);
      break;
    case 'c':
      std::fill(cells_.begin(), cells_.end(), ' ');
      top_ = 0;
      bottom_ = height_ - 1;
      MoveTo(0, 0);
      break;
    default:
      break;  // keypad modes and the like
  }
}

int VtScreen::Param(std::size_t i, int fallback) const {
  std::size_t start = 0;
  while (start < params_.size() && (params_[start] < '0' || params_[start] > '9') &&
         params_[start] != ';')
    ++start;  // a private marker such as '?'
  for (std::size_t n = 0; n < i; ++n) {
    start = params_.find(';', start);
    if (start == std::string::npos) return fallback;
    ++start;
  }
  if (start >= params_.size() || params_[start] < '0' || params_[start] > '9') return fallback;
  return std::atoi(params_.c_str() + start);
}

void VtScreen::Csi(char final) {
  const bool is_private = !params_.empty() && (params_[0] == '?' || params_[0] == '>' ||
                                               params_[0] == '!' || params_[0] == '=');
  const int n = std::max(1, Param(0, 1));
  switch (final) {
    case 'A':
      MoveTo(x_, y_ - n);
      break;
    case 'B':
      MoveTo(x_, y_ + n);
      break;
    case 'C':
      MoveTo(x_ + n, y_);
      break;
    case 'D':
      MoveTo(x_ - n, y_);
      break;
    case 'E':
      MoveTo(0, y_ + n);
      break;
    case 'F':
      MoveTo(0, y_ - n);
      break;
    case 'G':
    case '`':
      MoveTo(n - 1, y_);
      break;
    case 'd':
      MoveTo(x_, n - 1);
      break;
    case 'H':
    case 'f':
      MoveTo(std::max(1, Param(1, 1)) - 1, n - 1);
      break;
    case 'J': {
      const int mode = Param(0, 0);
      if (mode == 0) {
        ClearRow(y_, x_, width_);
        for (int y = y_ + 1; y < height_; ++y) ClearRow(y, 0, width_);
      } else if (mode == 1) {
        for (int y = 0; y < y_; ++y) ClearRow(y, 0, width_);
        ClearRow(y_, 0, x_ + 1);
      } else {
        std::fill(cells_.begin(), cells_.end(), ' ');
      }
      break;
    }
    case 'K': {
      const int mode = Param(0, 0);
      if (mode == 0) ClearRow(y_, x_, width_);
      if (mode == 1) ClearRow(y_, 0, x_ + 1);
      if (mode == 2) ClearRow(y_, 0, width_);
      break;
    }
    case 'X':
      ClearRow(y_, x_, x_ + n);
      break;
    case '@':
      for (int x = width_ - 1; x >= x_ + n; --x) At(x, y_) = At(x - n, y_);
      ClearRow(y_, x_, std::min(width_, x_ + n));
      break;
    case 'P':
      for (int x = x_; x < width_; ++x) At(x, y_) = x + n < width_ ? At(x + n, y_) : ' ';
      break;
    case 'L':
      if (y_ >= top_ && y_ <= bottom_) ScrollDown(y_, bottom_, std::min(n, bottom_ - y_ + 1));
      break;
    case 'M':
      if (y_ >= top_ && y_ <= bottom_) ScrollUp(y_, bottom_, std::min(n, bottom_ - y_ + 1));
      break;
    case 'S':
      ScrollUp(top_, bottom_, std::min(n, bottom_ - top_ + 1));
      break;
    case 'T':
      ScrollDown(top_, bottom_, std::min(n, bottom_ - top_ + 1));
      break;
    case 'b':
      for (int i = 0; i < n; ++i) Put(last_);
      break;
    case 'r':
      if (!is_private) {
        top_ = std::clamp(Param(0, 1), 1, height_) - 1;
        bottom_ = std::clamp(Param(1, height_), 1, height_) - 1;
        if (bottom_ <= top_) {
          top_ = 0;
          bottom_ = height_ - 1;
        }
        MoveTo(0, 0);
      }
      break;
    case 'h':
    case 'l': {
      const bool set = final == 'h';
      if (!is_private && Param(0, 0) == 4) insert_mode_ = set;
      if (params_ == "?1049" || params_ == "?47" || params_ == "?1047") {
        std::fill(cells_.begin(), cells_.end(), ' ');
        if (set) {
          saved_x_ = x_;
          saved_y_ = y_;
        } else {
          MoveTo(saved_x_, saved_y_);
        }
      }
      break;
    }
    case 'n':
      if (!is_private && Param(0, 0) == 6) {
        char reply[32];
        std::snprintf(reply, sizeof reply, "\033[%d;%dR", y_ + 1, x_ + 1);
        replies_ += reply;
      }
      break;
    case 's':
      if (!is_private) {
        saved_x_ = x_;
        saved_y_ = y_;
      }
      break;
    case 'u':
      if (!is_private) MoveTo(saved_x_, saved_y_);
      break;
    default:
      break;  // attributes, window operations, soft reset
  }
}

}  // namespace bench
