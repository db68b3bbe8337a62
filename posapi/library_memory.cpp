#include "posapi/library_memory.h"

#include <algorithm>
#include <cstdint>

namespace posapi {

namespace {

// Reads go page by page, so that a text that ends before an unreadable page
// is read whole.
constexpr std::size_t kPage = 4096;

}  // namespace

std::optional<std::string> ReadLibraryText(const void* address, std::size_t max_length) {
  if (address == nullptr) return std::nullopt;
  std::string text;
  auto at = reinterpret_cast<std::uintptr_t>(address);
  char chunk[kPage];
  while (text.size() < max_length) {
    const std::size_t to_page_end = kPage - at % kPage;
    const std::size_t want = std::min(to_page_end, max_length - text.size());
    const std::size_t got = CopyReadableBytes(reinterpret_cast<const void*>(at), chunk, want);
    if (got == 0 && text.empty()) return std::nullopt;
    char* end = std::find(chunk, chunk + got, '\0');
    text.append(chunk, end);
    if (end != chunk + got || got < want) break;
    at += got;
  }
  return text;
}

}  // namespace posapi
