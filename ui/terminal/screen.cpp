#include "ui/terminal/screen.h"

#include <algorithm>

namespace terminal {

// The post queue's wake-up runs on the posting thread; posts reach the queue
// only while the front end's loop runs, with the device attached.
Screen::Screen(Device* device, const os::Clock& clock)
    : device_(device), clock_(clock), queue_([this] { device_->Wake(); }) {
  Relayout();
}

void Screen::Attach(Device* device) {
  device_ = device;
  input_ended_ = false;
  Relayout();
}

bool Screen::too_small() const {
  return size_.width < kMinWidth || size_.height < kMinHeight;
}

void Screen::Relayout() {
  size_ = device_ ? device_->size() : Size{};
  main_.Layout(size_.width, size_.height);
  for (Layer* layer : layers_) layer->Layout(size_.width, size_.height);
  dirty_ = true;
}

void Screen::AppendLog(std::string_view line) {
  main_.log().Append(line);
  dirty_ = true;
}

void Screen::RunMain(ui::MainWindowProc& proc) {
  proc_ = &proc;
  destroyed_ = false;
  dirty_ = true;
  Loop([this] { return destroyed_; });
  proc_ = nullptr;
  main_.log().Clear();
}

void Screen::RunModal(Layer& layer) {
  layer.Layout(size_.width, size_.height);
  layers_.push_back(&layer);
  dirty_ = true;
  Loop([&layer] { return layer.done(); });
  if (!layer.done()) layer.Abandon();
  layers_.erase(std::find(layers_.begin(), layers_.end(), &layer));
  dirty_ = true;
}

// One loop for the main window and every nested modal loop. Each turn
// handles one batch of posted messages, then one input event (and paints its
// effect at once), so that a flood of posts never starves the keyboard and
// the mouse; keys typed ahead reach whichever window is on top when they are
// read. While posts keep coming the screen is painted every kFrameInterval,
// and once more when they run dry.
void Screen::Loop(const std::function<bool()>& done) {
  auto finished = [&] { return done() || destroyed_ || input_ended_; };
  while (!finished()) {
    if (dirty_ && FrameDue()) Render();
    Fetch(input_.empty() && !MayDispatchPosted() ? -1 : 0);
    if (MayDispatchPosted()) DispatchPosted();
    if (finished() || input_.empty()) continue;
    const InputEvent e = input_.front();
    input_.pop_front();
    Dispatch(e);
    if (!finished() && dirty_) Render();
  }
  if (dirty_ && !destroyed_) Render();
}

void Screen::Fetch(int timeout_ms) {
  fetched_.clear();
  if (!device_ || !device_->Wait(timeout_ms, fetched_)) input_ended_ = true;
  for (const InputEvent& e : fetched_) {
    if (e.type == InputEvent::Type::kResize)
      Relayout();
    else
      input_.push_back(e);
  }
}

bool Screen::MayDispatchPosted() {
  if (layers_.size() >= kMaxModalDepth) return false;
  return posted_next_ < posted_.size() || !queue_.Empty();
}

bool Screen::FrameDue() {
  return !MayDispatchPosted() || clock_.Now() - last_frame_ >= kFrameInterval;
}

void Screen::DispatchPosted() {
  if (posted_next_ >= posted_.size()) {
    // The whole queue at once, in posting order. The room a flood took is
    // given back rather than kept for the rest of the run.
    if (posted_.capacity() > kKeptPostRoom)
      std::vector<ui::PostedMessage>().swap(posted_);
    else
      posted_.clear();
    posted_next_ = 0;
    queue_.DrainInto(posted_);
  }
  // A handler may open a message box whose nested loop goes on with the
  // same messages: each is taken by index, in order, from the shared list.
  const auto deadline = clock_.Now() + kBatchTime;
  for (std::size_t n = 1; n <= kPostBatch && posted_next_ < posted_.size() && !destroyed_; ++n) {
    const ui::PostedMessage m = posted_[posted_next_++];
    if (proc_) proc_->OnPosted(m.message, m.wparam, m.lparam);
    if (n % 16 == 0 && clock_.Now() >= deadline) break;
  }
  dirty_ = true;
}

void Screen::Dispatch(const InputEvent& e) {
  if (too_small()) return;  // nothing to aim at until the terminal grows
  dirty_ = true;
  if (!layers_.empty()) {
    layers_.back()->HandleInput(e);
    return;
  }
  if (proc_) Perform(main_.HandleInput(e));
}

void Screen::Perform(const MainAction& action) {
  switch (action.kind) {
    case MainAction::kCommand:
      proc_->OnCommand(action.command);
      break;
    case MainAction::kKey:
      proc_->OnKey(ui::KeyMessage::kKeyDown, action.scan.code);
      if (action.scan.is_char) proc_->OnKey(ui::KeyMessage::kChar, action.scan.code);
      // A terminal reports no key release: the key is up right away.
      proc_->OnKey(ui::KeyMessage::kKeyUp, action.scan.code);
      break;
    case MainAction::kClose:
      Destroy();
      break;
    case MainAction::kLogCommand:
      if (log_command_) log_command_(action.command);
      break;
    case MainAction::kNone:
      break;
  }
  dirty_ = true;
}

void Screen::Render() {
  dirty_ = false;
  last_frame_ = clock_.Now();
  if (!device_) return;
  if (grid_.width() != size_.width || grid_.height() != size_.height)
    grid_.Resize(size_.width, size_.height);
  grid_.HideCursor();
  grid_.Fill(Rect{0, 0, size_.width, size_.height}, ' ', Style::kNormal);
  if (too_small()) {
    grid_.Text(0, 0, kTooSmall, Style::kNotice, size_.width);
  } else {
    if (proc_) main_.Draw(grid_, layers_.empty());
    for (Layer* layer : layers_) {
      grid_.HideCursor();  // only the topmost layer shows a cursor
      layer->Draw(grid_, layer == layers_.back());
    }
  }
  device_->Paint(grid_);
}

}  // namespace terminal
