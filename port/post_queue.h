// Messages posted to the main window from any thread, as the window system's
// posting call delivers them. The front end drains the queue on the
// user-interface thread; nothing posted is ever dropped.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "port/port.h"

namespace ui {

struct PostedMessage {
  WindowHandle window;
  std::uint32_t message;
  std::uint32_t wparam;
  std::uint32_t lparam;
};

class PostQueue {
 public:
  // wake runs on the posting thread when a post finds the queue empty (e.g.
  // writes to a pipe): once a batch, however many messages the batch holds.
  explicit PostQueue(std::function<void()> wake = {}) : wake_(std::move(wake)) {}

  void Post(const PostedMessage& m);
  // Moves every pending message into out (appended in posting order); an
  // empty out trades buffers with the queue, so nothing is copied.
  void DrainInto(std::vector<PostedMessage>& out);
  bool Empty();

 private:
  std::function<void()> wake_;
  std::mutex mutex_;
  std::vector<PostedMessage> pending_;
};

// The process-wide target of the exported posting call (PostMessageA on
// POSIX hosts, see codes/pos_library.h). The front end installs its queue
// and its main window handle for as long as its loop runs.
void InstallPostTarget(PostQueue* queue, WindowHandle main_window);
// Posts to the installed target; false when no window has that handle.
bool PostToWindow(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                  std::uint32_t lparam);

}  // namespace ui
