// Posts device events to windows from a thread of the library's own, through
// the window system's posting call, in the order they were raised. The queue
// has no bound, so a burst of events is never dropped here.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

#include "codes/pos_library.h"
#include "posim/devices/device.h"

namespace posim {

class EventPoster : public EventSink {
 public:
  explicit EventPoster(PosPostMessageFn post);
  ~EventPoster() override;  // stops the thread; events not yet posted are dropped

  void Post(std::uintptr_t window, std::uint32_t message, std::uint32_t wparam,
            std::uint32_t lparam) override;

 private:
  struct Message {
    std::uintptr_t window;
    std::uint32_t message;
    std::uint32_t wparam;
    std::uint32_t lparam;
  };

  void Run();

  PosPostMessageFn post_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Message> pending_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace posim
