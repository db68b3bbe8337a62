#include "ui/terminal/main_window.h"

#include "resources/main_window.h"

namespace terminal {
namespace {

constexpr const res::LogWindow& kLog = res::kMainWindow.command_log;

constexpr std::string_view kHint =
    " F10: Pos_Commands menu   Alt-L or a click: scroll the log   Alt-M: widen it";
// While the log has the focus.
constexpr std::string_view kLogHint =
    " Log: arrows scroll, a click selects a line   Enter: Copy, Save log as...   Esc";

// Alt keys are the system's: they are never echoed, so they can steer the
// window. Alt-L gives the log the focus (and back), Alt-M maximises it.
bool IsAltChar(const InputEvent& e, char c) {
  return e.type == InputEvent::Type::kKey && e.key == Key::kChar && e.alt &&
         (e.ch == c || e.ch == c - 'a' + 'A');
}

bool OpensMenu(const InputEvent& e) {
  if (e.type != InputEvent::Type::kKey) return false;
  if (e.key == Key::kF10 && !e.alt) return true;
  // Alt-P, and Alt-0 as Esc then 0 arrives when typed quickly.
  return e.key == Key::kChar && e.alt && (e.ch == 'p' || e.ch == 'P' || e.ch == '0');
}

}  // namespace

MainWindow::MainWindow() : menu_(res::CommandMenu()) {
  log_.SetExtent(PixelsToColumns(kLog.horizontal_extent));
}

void MainWindow::Layout(int width, int height) {
  width_ = width;
  height_ = height;
  menu_.Layout(0, 1, width);
  LayoutLog();
}

void MainWindow::LayoutLog() {
  if (log_maximized_) {
    // The whole client area but the hint line.
    log_.Layout(Rect{0, kClientTop, width_, height_ - kClientTop - 1});
    return;
  }
  const int left = PixelsToColumns(kLog.x);
  const int top = PixelsToRows(kLog.y);
  log_.Layout(Rect{left, kClientTop + top, PixelsToColumns(kLog.x + kLog.w) - left,
                   PixelsToRows(kLog.y + kLog.h) - top});
}

void MainWindow::ToggleLogMaximized() {
  log_maximized_ = !log_maximized_;
  LayoutLog();
}

void MainWindow::Draw(CellGrid& grid, bool active) const {
  const Style title = active ? Style::kTitle : Style::kCaption;
  grid.Fill(Rect{0, 0, width_, 1}, ' ', title);
  grid.Text(1, 0, res::kMainWindow.title, title, width_ - 6);
  grid.Text(close_box().x, 0, "[X]", title);
  menu_.DrawBar(grid);
  grid.Fill(Rect{0, kClientTop, width_, height_ - kClientTop}, ' ', Style::kNormal);
  log_.Draw(grid);
  if (height_ - 1 >= log_.rect().bottom())
    grid.Text(0, height_ - 1, log_.focused() ? kLogHint : kHint, Style::kNormal, width_);
  menu_.DrawPopup(grid);
  log_.DrawMenu(grid);
}

void MainWindow::OpenMenu() {
  escape_pending_ = false;
  menu_.Open();
}

MainAction MainWindow::FromMenu(MenuBar::Result r) {
  if (r.kind == MenuBar::Result::kChosen) return MainAction{MainAction::kCommand, r.id, {}};
  return {};
}

void MainWindow::OpenLogMenu() {
  escape_pending_ = false;
  log_.set_focused(true);
  log_.menu().Open();
}

MainAction MainWindow::FromLogMenu(PopupMenu::Result r) {
  if (r.kind == PopupMenu::Result::kChosen) return MainAction{MainAction::kLogCommand, r.id, {}};
  return {};
}

MainAction MainWindow::HandleInput(const InputEvent& e) {
  if (e.type == InputEvent::Type::kMouse) return HandleMouse(e);
  if (e.type == InputEvent::Type::kKey) return HandleKey(e);
  return {};
}

MainAction MainWindow::HandleKey(const InputEvent& e) {
  if (menu_.open()) return FromMenu(menu_.HandleKey(e));
  if (log_.menu().open()) return FromLogMenu(log_.menu().HandleKey(e));
  const bool after_escape = escape_pending_;
  escape_pending_ = false;
  if (OpensMenu(e) || (after_escape && e.IsChar('0'))) {
    OpenMenu();
    return {};
  }
  if (IsAltChar(e, 'l')) {
    log_.set_focused(!log_.focused());
    return {};
  }
  if (IsAltChar(e, 'm')) {
    ToggleLogMaximized();
    return {};
  }
  if (log_.focused()) {
    if (e.IsKey(Key::kEscape))
      log_.set_focused(false);  // back to the main window
    else if (e.IsKey(Key::kEnter))
      OpenLogMenu();
    else
      log_.HandleKey(e);
    return {};
  }
  const std::optional<ScanCode> scan = ScanCodeOf(e);
  if (!scan) return {};
  escape_pending_ = e.IsKey(Key::kEscape);
  return MainAction{MainAction::kKey, 0, *scan};
}

MainAction MainWindow::HandleMouse(const InputEvent& e) {
  escape_pending_ = false;
  if (menu_.open()) {
    // A click on the open menu's title closes it; elsewhere the menu decides.
    if (e.mouse == Mouse::kPress && menu_.title_rect().Contains(e.x, e.y)) {
      menu_.Close();
      return {};
    }
    return FromMenu(menu_.HandleMouse(e));
  }
  if (log_.menu().open()) return FromLogMenu(log_.menu().HandleMouse(e));
  if (e.mouse == Mouse::kPress && log_.menu_box().Contains(e.x, e.y)) {
    OpenLogMenu();
    return {};
  }
  if (e.mouse == Mouse::kPress && log_.maximize_box().Contains(e.x, e.y)) {
    ToggleLogMaximized();
    log_.set_focused(true);
    return {};
  }
  if (log_.rect().Contains(e.x, e.y)) {
    if (e.mouse == Mouse::kPress) log_.set_focused(true);
    log_.HandleMouse(e);
    return {};
  }
  if (e.mouse != Mouse::kPress) return {};
  if (close_box().Contains(e.x, e.y)) return MainAction{MainAction::kClose, 0, {}};
  if (menu_.title_rect().Contains(e.x, e.y)) {
    OpenMenu();
    return {};
  }
  log_.set_focused(false);  // the empty area takes the focus back
  return {};
}

}  // namespace terminal
