// Recording window and dialog procedures for the front end's tests.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "port/port.h"
#include "ui/terminal/cell_grid.h"
#include "ui/terminal/screen.h"

namespace terminal::testing {

// Whether some row of the grid holds the text.
inline bool Shows(const CellGrid& grid, std::string_view text) {
  for (int y = 0; y < grid.height(); ++y)
    if (grid.Row(y).find(text) != std::string::npos) return true;
  return false;
}

// The row that holds the text, or -1.
inline int RowOf(const CellGrid& grid, std::string_view text) {
  for (int y = 0; y < grid.height(); ++y)
    if (grid.Row(y).find(text) != std::string::npos) return y;
  return -1;
}

// The most frames a loop whose clock moved this much may paint for a flood
// queued before it: the first, one a frame interval while messages keep
// coming, one when the queue runs dry and one at the end.
inline int MostFloodPaints(std::chrono::steady_clock::duration ran) {
  return 3 + static_cast<int>(ran / Screen::kFrameInterval);
}

// What the main window procedure received, one text per call:
// "command 107", "down 1e", "char 1e", "up 1e", "posted 4201 7 0".
class RecordingWindow : public ui::MainWindowProc {
 public:
  std::vector<std::string> calls;
  std::function<void(int)> on_command;
  std::function<void(std::uint32_t, std::uint32_t)> on_posted;

  void OnCommand(int id) override {
    calls.push_back("command " + std::to_string(id));
    if (on_command) on_command(id);
  }
  void OnKey(ui::KeyMessage kind, unsigned scan) override {
    static const char* const kNames[] = {"down", "char", "up"};
    char hex[16];
    std::snprintf(hex, sizeof hex, "%x", scan);
    calls.push_back(std::string(kNames[static_cast<int>(kind)]) + " " + hex);
  }
  void OnPosted(std::uint32_t message, std::uint32_t wparam, std::uint32_t lparam) override {
    char text[64];
    std::snprintf(text, sizeof text, "posted %x %u %u", message, wparam, lparam);
    calls.push_back(text);
    if (on_posted) on_posted(message, wparam);
  }
};

// A dialog procedure that records commands ("1:0" for id 1, clicked) and ends
// on OK and Cancel unless told otherwise.
class RecordingDialog : public ui::DialogProc {
 public:
  std::vector<std::string> commands;
  std::function<void(ui::Dialog&)> on_init;
  std::function<void(ui::Dialog&, int, int)> on_command;
  bool end_on_ok_cancel = true;

  void OnInit(ui::Dialog& d) override {
    if (on_init) on_init(d);
  }
  void OnCommand(ui::Dialog& d, int id, int notify) override {
    commands.push_back(std::to_string(id) + ":" + std::to_string(notify));
    if (on_command) on_command(d, id, notify);
    if (end_on_ok_cancel && (id == 1 || id == 2)) d.End(id);
  }
};

}  // namespace terminal::testing
