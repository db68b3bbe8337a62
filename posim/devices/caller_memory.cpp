#include "posim/devices/caller_memory.h"

#include <algorithm>
#include <cstring>

namespace posim {

namespace {

// The smallest page of the hosts: a page is readable or not as a whole.
constexpr std::size_t kPage = 4096;

}  // namespace

std::optional<std::string> ReadCallerText(std::uintptr_t address, std::size_t max_length) {
  if (address == 0) return std::nullopt;
  std::string text;
  char page[kPage];
  // Page by page, so that a text that ends just before unreadable memory is read.
  while (text.size() < max_length) {
    const std::uintptr_t at = address + text.size();
    if (at < address) return std::nullopt;  // past the end of the address space
    const std::size_t size = std::min(kPage - at % kPage, max_length - text.size());
    if (!CopyCallerPage(at, page, size)) return std::nullopt;
    const std::size_t length = strnlen(page, size);
    text.append(page, length);
    if (length < size) break;
  }
  return text;
}

}  // namespace posim
