#include "posim/session/event_poster.h"

namespace posim {

EventPoster::EventPoster(PosPostMessageFn post) : post_(post) {
  if (post_ != nullptr) thread_ = std::thread([this] { Run(); });
}

EventPoster::~EventPoster() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void EventPoster::Post(std::uintptr_t window, std::uint32_t message, std::uint32_t wparam,
                       std::uint32_t lparam) {
  if (post_ == nullptr) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.push_back({window, message, wparam, lparam});
  }
  wake_.notify_one();
}

void EventPoster::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
    if (stopping_) return;
    const Message m = pending_.front();
    pending_.pop_front();
    lock.unlock();
    post_(m.window, m.message, m.wparam, m.lparam);
    lock.lock();
  }
}

}  // namespace posim
