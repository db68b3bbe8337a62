#include "port/post_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace ui {
namespace {

TEST(PostQueueTest, NothingPostedFromManyThreadsIsLostOrReordered) {
  std::atomic<int> wakes{0};
  PostQueue queue([&] { ++wakes; });
  constexpr int kThreads = 4, kEach = 20000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i)
        queue.Post({1, 0x4200u + static_cast<std::uint32_t>(t), static_cast<std::uint32_t>(i), 0});
    });
  std::vector<PostedMessage> got, batch;
  int batches = 0;  // drains that took something
  auto drain = [&] {
    batch.clear();
    queue.DrainInto(batch);
    if (batch.empty()) return;
    ++batches;
    got.insert(got.end(), batch.begin(), batch.end());
  };
  while (got.size() < kThreads * kEach) drain();  // drain while posting
  for (auto& th : threads) th.join();
  drain();
  ASSERT_EQ(got.size(), static_cast<std::size_t>(kThreads * kEach));
  std::vector<std::uint32_t> next(kThreads, 0);
  for (const PostedMessage& m : got) {
    const std::uint32_t t = m.message - 0x4200u;
    ASSERT_LT(t, static_cast<std::uint32_t>(kThreads));
    EXPECT_EQ(m.wparam, next[t]++);  // each thread's posts keep their order
  }
  // A wake-up only when a post finds the queue empty: at most one a batch.
  EXPECT_GE(wakes.load(), 1);
  EXPECT_LE(wakes.load(), batches);
  EXPECT_TRUE(queue.Empty());
}

TEST(PostQueueTest, OneWakeUpABatch) {
  int wakes = 0;
  PostQueue queue([&] { ++wakes; });
  std::vector<PostedMessage> got;
  for (std::uint32_t i = 0; i < 1000; ++i) queue.Post({1, 0x4202, i, 0});
  EXPECT_EQ(wakes, 1);
  queue.DrainInto(got);
  ASSERT_EQ(got.size(), 1000u);
  queue.Post({1, 0x4202, 1000, 0});  // empty again: the next post wakes
  queue.Post({1, 0x4202, 1001, 0});
  EXPECT_EQ(wakes, 2);
  queue.DrainInto(got);  // appended after what out held
  ASSERT_EQ(got.size(), 1002u);
  for (std::uint32_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i].wparam, i);
}

TEST(PostQueueTest, PostToWindowNeedsTheInstalledWindow) {
  PostQueue queue;
  EXPECT_FALSE(PostToWindow(7, 0x420D, 0, 0));  // nothing installed
  InstallPostTarget(&queue, 7);
  EXPECT_FALSE(PostToWindow(8, 0x420D, 0, 0));
  EXPECT_FALSE(PostToWindow(0, 0x420D, 0, 0));
  EXPECT_TRUE(PostToWindow(7, 0x420D, 1, 2));
  InstallPostTarget(nullptr, 0);
  EXPECT_FALSE(PostToWindow(7, 0x420D, 0, 0));
  std::vector<PostedMessage> got;
  queue.DrainInto(got);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].wparam, 1u);
  EXPECT_EQ(got[0].lparam, 2u);
}

}  // namespace
}  // namespace ui
