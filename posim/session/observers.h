// What the control channel's streams follow: the lines of the call trace and
// of the posted events, and a count of changes to the simulated terminal.
// Publishing never waits for a reader: a stream that falls more than
// kMaxBacklog lines behind loses the oldest ones and is told how many.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <list>
#include <mutex>
#include <string>
#include <vector>

namespace posim {

class Observers {
 public:
  static constexpr std::size_t kMaxBacklog = 10000;

  struct Feed {
    bool calls;
    bool events;
    std::deque<std::string> lines;
    std::size_t lost = 0;
  };

  // A stream's place among the observers for as long as it lives.
  class Subscription {
   public:
    Subscription(Observers& observers, bool calls, bool events);
    ~Subscription();
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

    // Waits up to timeout for lines, or for a change after the count in
    // seen (which it updates). Returns the lines, a note of lost ones first.
    std::vector<std::string> Wait(std::uint64_t& seen, std::chrono::milliseconds timeout);

   private:
    Observers& observers_;
    std::list<Feed>::iterator feed_;
  };

  bool WantsCalls() const { return call_feeds_.load() > 0; }
  bool WantsEvents() const { return event_feeds_.load() > 0; }

  void PublishCall(const std::string& line) { Publish(line, false); }
  void PublishEvent(const std::string& line) { Publish(line, true); }
  // Something of the terminal may have changed: its views are drawn again.
  void Changed();
  std::uint64_t Changes();

 private:
  void Publish(const std::string& line, bool event);

  std::mutex mutex_;  // taken last: nothing else is locked while it is held
  std::condition_variable wake_;
  std::list<Feed> feeds_;
  std::uint64_t changes_ = 0;
  std::atomic<int> call_feeds_{0};
  std::atomic<int> event_feeds_{0};
};

}  // namespace posim
