#include "ui/terminal/line_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace terminal {
namespace {

// Lines of many lengths, across block boundaries and longer than a block,
// read back whole and in order.
TEST(LineStore, EveryLineReadsBackWholeAndInOrder) {
  const std::size_t lengths[] = {0,
                                 1,
                                 25,
                                 79,
                                 LineStore::kBlockBytes - 1,
                                 LineStore::kBlockBytes,
                                 LineStore::kBlockBytes + 1,
                                 3 * LineStore::kBlockBytes,
                                 0,
                                 7};
  LineStore store;
  std::vector<std::string> want;
  for (int round = 0; round < 50; ++round) {
    for (std::size_t n : lengths) {
      std::string line(n, static_cast<char>('a' + want.size() % 26));
      if (n > 0) line.back() = '\n';  // any byte, a line feed too
      store.Append(line);
      want.push_back(line);
    }
  }
  ASSERT_EQ(store.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) ASSERT_EQ(store[i], want[i]) << i;
}

TEST(LineStore, ClearEmptiesAndTheStoreTakesLinesAgain) {
  LineStore store;
  for (int i = 0; i < 10000; ++i) store.Append("KBD_DOWN (Scancode = 0x" + std::to_string(i) + ")");
  EXPECT_EQ(store[9999], "KBD_DOWN (Scancode = 0x9999)");
  store.Clear();
  EXPECT_TRUE(store.empty());
  store.Append("again");
  ASSERT_EQ(store.size(), 1u);
  EXPECT_EQ(store[0], "again");
}

}  // namespace
}  // namespace terminal
