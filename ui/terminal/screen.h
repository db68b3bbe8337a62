// The front end's core without a terminal: the main window, the stack of
// modal layers, the queues of input events and posted messages, and the
// message loop that nested modal loops share. A Device supplies input and
// shows the rendered grid.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>
#include <vector>

#include "os/clock.h"
#include "port/port.h"
#include "port/post_queue.h"
#include "ui/terminal/cell_grid.h"
#include "ui/terminal/device.h"
#include "ui/terminal/layer.h"
#include "ui/terminal/main_window.h"

namespace terminal {

inline constexpr int kMinWidth = 80, kMinHeight = 24;
inline constexpr std::string_view kTooSmall = "terminal too small: 80x24 at least, please resize";

class Screen {
 public:
  // Posted messages handled in one go, at most, and for at most this long:
  // between two batches the loop reads the terminal and serves a key.
  static constexpr std::size_t kPostBatch = 4096;
  static constexpr std::chrono::milliseconds kBatchTime{8};
  // While posted messages keep coming, the screen is painted this often (and
  // whenever the queue runs dry, and at once after a key).
  static constexpr std::chrono::milliseconds kFrameInterval{20};
  // Room for posted messages kept between batches; a flood's is given back.
  static constexpr std::size_t kKeptPostRoom = 16 * kPostBatch;
  // Modal layers open at once beyond which posted messages wait in the queue.
  static constexpr std::size_t kMaxModalDepth = ui::kMaxModalDepth;

  // The device may come later (and go): the log lives on without it. The
  // clock times batches and frames.
  explicit Screen(Device* device = nullptr, const os::Clock& clock = os::SteadyClock());
  void Attach(Device* device);
  Device* device() const { return device_; }

  MainWindow& main_window() { return main_; }
  ui::PostQueue& queue() { return queue_; }
  const CellGrid& grid() const { return grid_; }
  bool too_small() const;

  void AppendLog(std::string_view line);

  // Shows the main window and runs its loop until Destroy() or the end of
  // input. The procedure receives menu commands, keys and posted messages.
  void RunMain(ui::MainWindowProc& proc);
  void Destroy() { destroyed_ = true; }
  // Runs the log menu's commands (the front end's, which knows the port).
  void SetLogCommandHandler(std::function<void(int)> handler) { log_command_ = std::move(handler); }
  bool destroyed() const { return destroyed_; }
  bool input_ended() const { return input_ended_; }

  // Runs a modal layer in a nested loop until it is done (or abandoned).
  void RunModal(Layer& layer);

  // Draws everything into the grid and paints it.
  void Render();

 private:
  void Loop(const std::function<bool()>& done);
  void Fetch(int timeout_ms);
  // Messages wait here or in the post queue, and no modal limit holds them.
  bool MayDispatchPosted();
  bool FrameDue();
  void DispatchPosted();
  void Dispatch(const InputEvent& e);
  void Perform(const MainAction& action);
  void Relayout();

  Device* device_;
  const os::Clock& clock_;
  ui::PostQueue queue_;
  CellGrid grid_;
  Size size_;
  MainWindow main_;
  ui::MainWindowProc* proc_ = nullptr;  // set while the main window is shown
  std::function<void(int)> log_command_;
  std::vector<Layer*> layers_;
  std::deque<InputEvent> input_;
  // Messages taken from the queue, handled from posted_next_ on.
  std::vector<ui::PostedMessage> posted_;
  std::size_t posted_next_ = 0;
  std::vector<InputEvent> fetched_;
  bool dirty_ = true;
  os::Clock::TimePoint last_frame_{};
  bool destroyed_ = false;
  bool input_ended_ = false;
};

}  // namespace terminal
