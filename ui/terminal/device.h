// The terminal as the front end's core uses it: its size, decoded input, a
// wake-up from other threads, and painting a grid. The curses device
// implements it; tests use a scripted fake.
#pragma once

#include <string_view>
#include <vector>

#include "ui/terminal/cell_grid.h"
#include "ui/terminal/input_event.h"

namespace terminal {

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

class Device {
 public:
  virtual ~Device() = default;
  virtual Size size() const = 0;
  // Waits at most timeout_ms (-1: without limit) for input or a Wake(), and
  // appends the decoded events. False once input has ended for good.
  virtual bool Wait(int timeout_ms, std::vector<InputEvent>& out) = 0;
  // Ends a Wait early; callable from any thread.
  virtual void Wake() = 0;
  virtual void Paint(const CellGrid& grid) = 0;
  // Puts the text on the terminal's clipboard; a terminal without one drops it.
  virtual void SetClipboard(std::string_view) {}
};

}  // namespace terminal
