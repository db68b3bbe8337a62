// The main window: the title bar with its close box, the menu bar, the
// CommandLog and the focus between the window itself and the log. It turns
// input into actions that the screen carries out (menu commands, key echo).
#pragma once

#include <string_view>
#include <vector>

#include "ui/terminal/cell_grid.h"
#include "ui/terminal/input_event.h"
#include "ui/terminal/log_box.h"
#include "ui/terminal/menu_bar.h"
#include "ui/terminal/scan_codes.h"

namespace terminal {

// The pixel size of a cell in the main window.
inline constexpr int kPixelsPerColumn = 8, kPixelsPerRow = 16;

// Pixels to cells, rounded to the nearest cell.
constexpr int PixelsToColumns(int px) {
  return (px + kPixelsPerColumn / 2) / kPixelsPerColumn;
}
constexpr int PixelsToRows(int px) {
  return (px + kPixelsPerRow / 2) / kPixelsPerRow;
}

struct MainAction {
  enum Kind { kNone, kCommand, kKey, kClose, kLogCommand } kind = kNone;
  int command = 0;          // kCommand: the menu id; kLogCommand: the log menu's
  ScanCode scan{0, false};  // kKey
};

class MainWindow {
 public:
  static constexpr int kClientTop = 2;  // title and menu bar above

  MainWindow();

  void Layout(int width, int height);
  // active: no modal window is open above it.
  void Draw(CellGrid& grid, bool active = true) const;
  MainAction HandleInput(const InputEvent& e);

  LogBox& log() { return log_; }
  const LogBox& log() const { return log_; }
  MenuBar& menu() { return menu_; }
  const MenuBar& menu() const { return menu_; }
  bool log_focused() const { return log_.focused(); }
  bool log_maximized() const { return log_maximized_; }
  Rect close_box() const { return Rect{width_ - 4, 0, 3, 1}; }

 private:
  MainAction HandleKey(const InputEvent& e);
  MainAction HandleMouse(const InputEvent& e);
  MainAction FromMenu(MenuBar::Result r);
  MainAction FromLogMenu(PopupMenu::Result r);
  void OpenLogMenu();
  void OpenMenu();
  void LayoutLog();
  void ToggleLogMaximized();

  int width_ = 0, height_ = 0;
  MenuBar menu_;
  LogBox log_;
  bool escape_pending_ = false;  // Esc then 0 opens the menu
  // The log filling the client area, as a maximised child window does.
  bool log_maximized_ = false;
};

}  // namespace terminal
