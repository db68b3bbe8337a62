#include "dialogs/numbers.h"

#include <charconv>

namespace dialogs {

namespace {

template <typename T>
bool ParseWhole(std::string_view digits, int base, T& out) {
  if (digits.empty()) return false;
  T value{};
  const char* end = digits.data() + digits.size();
  auto [ptr, ec] = std::from_chars(digits.data(), end, value, base);
  if (ec != std::errc{} || ptr != end) return false;
  out = value;
  return true;
}

}  // namespace

bool OnlyOf(std::string_view text, std::string_view allowed) {
  return text.find_first_not_of(allowed) == std::string_view::npos;
}

bool ParseInt32(std::string_view digits, std::int32_t& out) {
  // from_chars would take a leading minus for a signed type.
  return OnlyOf(digits, kDecimalDigits) && ParseWhole(digits, 10, out);
}

bool ParseUint32(std::string_view digits, int base, std::uint32_t& out) {
  return OnlyOf(digits, base == 16 ? kHexDigits : kDecimalDigits) && ParseWhole(digits, base, out);
}

}  // namespace dialogs
