// Control commands through the library's test entry, on every platform.
#include <gtest/gtest.h>

#include <string>

#include "posim/tests/library_fixture.h"

namespace posim_test {
namespace {

// Message fields are 32 bits, given signed or unsigned, whatever the width of
// the platform's long.
TEST_F(LibraryTest, PostTakesEvery32BitFieldAndNothingWider) {
  const struct {
    const char* line;
    bool ok;
    std::uint32_t message, wparam, lparam;  // what arrives
  } cases[] = {
      {"post 0x4201 0xFFFFFFFF 0x80000000", true, 0x4201, 0xFFFFFFFF, 0x80000000},
      {"post 0x4201 -1 -2147483648", true, 0x4201, 0xFFFFFFFF, 0x80000000},
      {"post 16902 2147483648 4294967295", true, 0x4206, 0x80000000, 0xFFFFFFFF},
      {"post 0x4201 0x100000000 0", false, 0, 0, 0},
      {"post 0x4201 0 -2147483649", false, 0, 0, 0},
      {"post 0x1000000004201 0 0", false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    ClearPosts();
    const std::string reply = Control(c.line);
    if (!c.ok) {
      EXPECT_EQ(reply, "error: usage: post CODE WPARAM LPARAM [COUNT]\n");
      continue;
    }
    EXPECT_EQ(reply, "ok\n");
    const std::vector<Post> posts = WaitForPosts(1);
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].message, c.message);
    EXPECT_EQ(static_cast<std::uint32_t>(posts[0].wparam), c.wparam);
    EXPECT_EQ(static_cast<std::uint32_t>(posts[0].lparam), c.lparam);
  }
}

TEST_F(LibraryTest, KeyLockPositionsBeyond32BitsAreOutOfBounds) {
  EXPECT_EQ(Control("keylock 4294967296"),
            "error: status 310: the key lock has the positions 0 to 7\n");
  EXPECT_EQ(Control("keylock 3"), "ok\n");
}

}  // namespace
}  // namespace posim_test
