// A modal window above the main window: a message box or a dialog. Input goes
// to the topmost layer only; its nested loop runs until done().
#pragma once

#include "ui/terminal/cell_grid.h"
#include "ui/terminal/input_event.h"

namespace terminal {

class Layer {
 public:
  virtual ~Layer() = default;
  // The screen's size changed (also called once before the first Draw).
  virtual void Layout(int width, int height) = 0;
  // active: the topmost window, the one that takes input.
  virtual void Draw(CellGrid& grid, bool active) = 0;
  virtual void HandleInput(const InputEvent& e) = 0;
  virtual bool done() const = 0;
  // Input has ended or the main window is gone: close at once.
  virtual void Abandon() = 0;
};

}  // namespace terminal
