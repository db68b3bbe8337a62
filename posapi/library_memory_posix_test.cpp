#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <string>

#include "posapi/library_memory.h"

namespace posapi {
namespace {

// Two pages: the first readable, the second not.
struct Fence {
  Fence() {
    page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    base = static_cast<char*>(
        mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    std::memset(base, 'f', page);
    mprotect(base + page, page, PROT_NONE);
  }
  ~Fence() { munmap(base, 2 * page); }
  char* guard() const { return base + page; }
  std::size_t page = 0;
  char* base = nullptr;
};

TEST(ReadLibraryText, ReadsNoFurtherThanItsBoundOrReadableMemory) {
  Fence fence, open_end;
  // A text that ends just before the unreadable page, and one without end.
  char* last_word = fence.guard() - 5;
  std::memcpy(last_word, "tail\0", 5);
  static const char kText[] = "TEXT OF THE LIBRARY";
  const std::string long_text(10000, 'L');
  const struct {
    const char* label;
    const void* address;
    std::size_t max;
    std::optional<std::string> text;
  } cases[] = {
      {"a text", kText, 4096, "TEXT OF THE LIBRARY"},
      {"cut at the bound", kText, 4, "TEXT"},
      {"a long text cut", long_text.c_str(), 4096, std::string(4096, 'L')},
      {"empty", "", 4096, ""},
      {"null", nullptr, 4096, std::nullopt},
      {"address 1", reinterpret_cast<const void*>(1), 4096, std::nullopt},
      {"the last page of the address space", reinterpret_cast<const void*>(~std::uintptr_t{0} - 8),
       4096, std::nullopt},
      {"an unreadable page", fence.guard(), 4096, std::nullopt},
      {"ends before an unreadable page", last_word, 4096, "tail"},
      {"runs into an unreadable page", open_end.guard() - 3, 4096, "fff"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(ReadLibraryText(c.address, c.max), c.text);
  }
}

TEST(CopyReadableBytes, StopsAtTheFirstUnreadableByte) {
  Fence fence;
  char out[64] = {};
  EXPECT_EQ(CopyReadableBytes(fence.guard() - 16, out, 16), 16u);
  EXPECT_EQ(std::string(out, 16), std::string(16, 'f'));
  EXPECT_EQ(CopyReadableBytes(fence.guard(), out, 16), 0u);
  EXPECT_EQ(CopyReadableBytes(reinterpret_cast<const void*>(1), out, 16), 0u);
  EXPECT_EQ(CopyReadableBytes(fence.guard() - 16, out, 0), 0u);
}

}  // namespace
}  // namespace posapi
