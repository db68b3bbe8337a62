// The CommandLog's lines in one growing store: their bytes back to back in
// blocks that never move, and for each line where it starts. A line costs
// its text and eight bytes; appending never copies the lines before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

namespace terminal {

class LineStore {
 public:
  // Bytes of a block; a longer line gets a block of its own size.
  static constexpr std::size_t kBlockBytes = 64 * 1024;

  void Append(std::string_view line);
  void Clear();

  std::size_t size() const { return starts_.size(); }
  bool empty() const { return starts_.empty(); }
  // Valid until the store is cleared.
  std::string_view operator[](std::size_t index) const;

 private:
  struct Block {
    std::unique_ptr<char[]> bytes;
    std::size_t used = 0;
    std::size_t room = 0;
  };
  // A line's place: its block in the high 32 bits, its offset in the low.
  static std::uint64_t Place(std::size_t block, std::size_t offset) {
    return (static_cast<std::uint64_t>(block) << 32) | offset;
  }

  std::vector<Block> blocks_;
  std::deque<std::uint64_t> starts_;  // grows without moving what it holds
};

}  // namespace terminal
