// The terminal of posimctl watch, in the live view's state for as long as a
// Screen lives: the other screen, no cursor, keys read one at a time without
// echo; given back as it was (posimctl_screen_posix.cpp, _win32.cpp).
#pragma once

#include <memory>
#include <string>

namespace posimctl {

class Screen {
 public:
  Screen();
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // Whether the view can be redrawn in place; else views are printed one
  // after the other.
  bool live() const;
  // Whether keys are read (q ends the view).
  bool keys() const;
  // Rows and columns, 24 by 80 when the terminal does not tell.
  void Size(int& rows, int& columns) const;
  // Whether q was typed.
  bool Quit();

  // Writes text to the output as it is.
  static void Put(const std::string& text);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace posimctl
