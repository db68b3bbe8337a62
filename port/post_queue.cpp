#include "port/post_queue.h"

namespace ui {

void PostQueue::Post(const PostedMessage& m) {
  bool was_empty;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    was_empty = pending_.empty();
    pending_.push_back(m);
  }
  // The reader drains the whole queue once woken: a wake-up for the first
  // message of a batch is enough.
  if (was_empty && wake_) wake_();
}

void PostQueue::DrainInto(std::vector<PostedMessage>& out) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (out.empty()) {
    out.swap(pending_);  // the caller's spare room becomes the queue's
  } else {
    out.insert(out.end(), pending_.begin(), pending_.end());
  }
  pending_.clear();
}

bool PostQueue::Empty() {
  std::lock_guard<std::mutex> lock(mutex_);
  return pending_.empty();
}

namespace {

std::mutex g_target_mutex;
PostQueue* g_queue = nullptr;
WindowHandle g_window = 0;

}  // namespace

void InstallPostTarget(PostQueue* queue, WindowHandle main_window) {
  std::lock_guard<std::mutex> lock(g_target_mutex);
  g_queue = queue;
  g_window = main_window;
}

bool PostToWindow(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                  std::uint32_t lparam) {
  std::lock_guard<std::mutex> lock(g_target_mutex);
  if (!g_queue || window == 0 || window != g_window) return false;
  g_queue->Post({window, message, wparam, lparam});
  return true;
}

}  // namespace ui
