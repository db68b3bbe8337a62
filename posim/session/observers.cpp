#include "posim/session/observers.h"

namespace posim {

Observers::Subscription::Subscription(Observers& observers, bool calls, bool events)
    : observers_(observers) {
  std::lock_guard<std::mutex> lock(observers_.mutex_);
  feed_ = observers_.feeds_.insert(observers_.feeds_.end(), Feed{calls, events, {}, 0});
  if (calls) ++observers_.call_feeds_;
  if (events) ++observers_.event_feeds_;
}

Observers::Subscription::~Subscription() {
  std::lock_guard<std::mutex> lock(observers_.mutex_);
  if (feed_->calls) --observers_.call_feeds_;
  if (feed_->events) --observers_.event_feeds_;
  observers_.feeds_.erase(feed_);
}

std::vector<std::string> Observers::Subscription::Wait(std::uint64_t& seen,
                                                       std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(observers_.mutex_);
  Feed& feed = *feed_;
  observers_.wake_.wait_for(lock, timeout, [&] {
    return !feed.lines.empty() || feed.lost > 0 || observers_.changes_ != seen;
  });
  seen = observers_.changes_;
  std::vector<std::string> lines;
  if (feed.lost > 0) {
    lines.push_back("... " + std::to_string(feed.lost) + " lines lost: they came faster than " +
                    "this stream was read");
    feed.lost = 0;
  }
  for (std::string& line : feed.lines) lines.push_back(std::move(line));
  feed.lines.clear();
  return lines;
}

void Observers::Publish(const std::string& line, bool event) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (Feed& feed : feeds_) {
      if (!(event ? feed.events : feed.calls)) continue;
      if (feed.lines.size() == kMaxBacklog) {
        feed.lines.pop_front();
        ++feed.lost;
      }
      feed.lines.push_back(line);
    }
  }
  wake_.notify_all();
}

void Observers::Changed() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++changes_;
  }
  wake_.notify_all();
}

std::uint64_t Observers::Changes() {
  std::lock_guard<std::mutex> lock(mutex_);
  return changes_;
}

}  // namespace posim
