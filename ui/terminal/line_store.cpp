#include "ui/terminal/line_store.h"

#include <algorithm>
#include <cstring>

namespace terminal {

void LineStore::Append(std::string_view line) {
  if (blocks_.empty() || blocks_.back().room - blocks_.back().used < line.size()) {
    const std::size_t room = std::max(kBlockBytes, line.size());
    blocks_.push_back(Block{std::make_unique_for_overwrite<char[]>(room), 0, room});
  }
  Block& block = blocks_.back();
  if (!line.empty()) std::memcpy(block.bytes.get() + block.used, line.data(), line.size());
  starts_.push_back(Place(blocks_.size() - 1, block.used));
  block.used += line.size();
}

void LineStore::Clear() {
  starts_.clear();
  starts_.shrink_to_fit();
  blocks_.clear();
  blocks_.shrink_to_fit();
}

std::string_view LineStore::operator[](std::size_t index) const {
  const std::uint64_t place = starts_[index];
  const std::size_t block = static_cast<std::size_t>(place >> 32);
  const std::size_t begin = static_cast<std::size_t>(place & 0xFFFFFFFFu);
  // The line ends where the next one in its block starts, or where the
  // block's bytes end.
  std::size_t end = blocks_[block].used;
  if (index + 1 < starts_.size() && (starts_[index + 1] >> 32) == block)
    end = static_cast<std::size_t>(starts_[index + 1] & 0xFFFFFFFFu);
  return std::string_view(blocks_[block].bytes.get() + begin, end - begin);
}

}  // namespace terminal
