// The CommandLog "Command and Status": a list box with a caption bar, both
// scroll bars and a horizontal extent. Lines stay in the order appended; a
// view at the newest line follows new lines, one scrolled back stays put and
// its bottom border counts the lines below it (End shows the newest).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "resources/main_window.h"
#include "ui/terminal/cell_grid.h"
#include "ui/terminal/input_event.h"
#include "ui/terminal/scroll_view.h"

namespace terminal {

class LogBox {
 public:
  static constexpr std::string_view kCaption = res::kMainWindow.command_log.caption;

  void Append(std::string_view line);
  void Clear();
  // Horizontal extent in cells: the view scrolls at least this far.
  void SetExtent(int cells);
  const std::vector<std::string>& lines() const { return lines_; }

  // The box's place on the screen, frame and caption included.
  void Layout(const Rect& rect);
  const Rect& rect() const { return rect_; }
  // The maximise box at the caption's right end.
  Rect maximize_box() const { return Rect{rect_.right() - 4, rect_.y, 3, 1}; }
  const ScrollView& view() const { return view_; }

  void set_focused(bool focused) { focused_ = focused; }
  bool focused() const { return focused_; }

  bool HandleKey(const InputEvent& e) { return view_.HandleScrollKey(e.key); }
  bool HandleMouse(const InputEvent& e) { return view_.HandleMouse(e); }

  void Draw(CellGrid& grid) const;

 private:
  void UpdateContent();

  std::vector<std::string> lines_;
  int widest_ = 0;
  int extent_ = 0;
  Rect rect_;
  ScrollView view_;
  bool focused_ = false;
};

}  // namespace terminal
