// Input as the front end's core sees it: keys and mouse events decoded from the
// terminal, free of any curses type, so that tests can feed them directly.
#pragma once

#include <cstdint>

namespace terminal {

enum class Key : std::uint8_t {
  kChar,  // a character byte: printable, or a control byte such as Ctrl-J (0x0A)
  kEnter,
  kTab,
  kBackTab,  // Shift-Tab
  kEscape,
  kBackspace,
  kDelete,
  kInsert,
  kHome,
  kEnd,
  kPageUp,
  kPageDown,
  kUp,
  kDown,
  kLeft,
  kRight,
  kF1,
  kF2,
  kF3,
  kF4,
  kF5,
  kF6,
  kF7,
  kF8,
  kF9,
  kF10,
  kF11,
  kF12,
};

enum class Mouse : std::uint8_t { kPress, kWheelUp, kWheelDown };

struct InputEvent {
  // kResize: the terminal changed its size (the front end asks for the new one).
  enum class Type : std::uint8_t { kKey, kMouse, kResize } type = Type::kKey;
  Key key = Key::kChar;
  char ch = 0;       // for Key::kChar
  bool alt = false;  // Alt (or Esc pressed with the key)
  Mouse mouse = Mouse::kPress;
  int x = 0, y = 0;  // mouse cell

  static InputEvent Of(Key k, bool alt = false) {
    return {Type::kKey, k, 0, alt, Mouse::kPress, 0, 0};
  }
  static InputEvent Char(char c, bool alt = false) {
    return {Type::kKey, Key::kChar, c, alt, Mouse::kPress, 0, 0};
  }
  static InputEvent Click(int x, int y) {
    return {Type::kMouse, Key::kChar, 0, false, Mouse::kPress, x, y};
  }
  static InputEvent Wheel(int x, int y, bool up) {
    return {Type::kMouse, Key::kChar, 0, false, up ? Mouse::kWheelUp : Mouse::kWheelDown, x, y};
  }

  static InputEvent Resize() { return {Type::kResize, Key::kChar, 0, false, Mouse::kPress, 0, 0}; }

  bool IsKey(Key k) const { return type == Type::kKey && key == k && !alt; }
  bool IsChar(char c) const { return type == Type::kKey && key == Key::kChar && ch == c && !alt; }
};

}  // namespace terminal
