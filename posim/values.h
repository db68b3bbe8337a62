// Named resource values: a device's (or a session's) current values kept
// beside their rules, and POS_SYS_GET_VALUES / POS_SYS_SET_VALUES over the
// caller's resource pairs.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "posapi/pos_library.h"
#include "posim/device_kinds.h"

namespace posim {

struct Value {
  std::int64_t number = 0;  // numbers and window handles
  std::string text;         // texts
};

class ValueTable {
 public:
  explicit ValueTable(std::span<const ResourceRule> rules);

  // Index of a name (any case), or -1.
  int Find(std::string_view name) const;
  std::size_t Size() const { return rules_.size(); }
  const ResourceRule& RuleAt(int index) const { return rules_[index]; }
  Value& At(int index) { return values_[index]; }

  // The value of a name the table is known to hold.
  std::int64_t& Number(std::string_view name);
  std::string& Text(std::string_view name);

 private:
  Value& Named(std::string_view name);

  std::span<const ResourceRule> rules_;
  std::vector<Value> values_;
};

// The tables a name is looked up in, first match wins.
using Tables = std::span<ValueTable* const>;

// The most pairs one call takes.
inline constexpr std::int32_t kMaxPairs = 100;

// POSERR_SYS_INVALID_NARGS for a count below 0 or above kMaxPairs, or pairs
// missing for a count above 0; else 0.
std::int32_t CheckPairs(const ResourcePair* pairs, std::int32_t count);

// Writes the current value of each named resource into its pair: a number
// into the value (or, when the pair holds the caller's text, as decimal
// digits into that text), a text into the caller's text, never more than its
// room: 100 bytes when the text is empty, else its own length and the zero.
// A text is cut to the room; a number whose digits do not fit is refused
// with POSERR_SYS_BUFFER_TOO_SMALL. Checks every pair, and takes every room,
// before writing any.
std::int32_t GetValues(Tables tables, ResourcePair* pairs, std::int32_t count);

// Stores the pairs' values after checking all of them (names, writability,
// ranges); nothing changes when one is refused.
std::int32_t SetValues(Tables tables, const ResourcePair* pairs, std::int32_t count);

// The same for one pair.
std::int32_t SetValue(Tables tables, const ResourcePair& pair);

// Whether a pair's value can be the address of the caller's text: numbers
// that a 32-bit value field holds are never taken for addresses on a 64-bit
// build.
bool IsCallerText(std::uintptr_t value);

// On a 64-bit build, whether a value beyond the 32-bit numbers can be an
// address of the caller's (caller_memory_posix.cpp, caller_memory_win32.cpp).
bool MayBeCallerAddress(std::uintptr_t value);

// The number a pair gives: its value as a signed 32-bit number or, on a
// 64-bit build when it holds the caller's text, that text read as a number.
std::optional<std::int64_t> PairNumber(std::uintptr_t value);

// A number typed as text: decimal, or hexadecimal after "0x", with one
// optional sign; nullopt for anything else or what an int64 cannot hold.
std::optional<std::int64_t> ParseNumberText(std::string_view text);

}  // namespace posim
