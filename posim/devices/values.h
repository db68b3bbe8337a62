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

#include "codes/pos_library.h"
#include "posim/devices/device_kinds.h"

namespace posim {

struct Value {
  std::int64_t number = 0;  // numbers and window handles
  std::string text;         // texts
  // The copy of the text that the last POS_SYS_GET_VALUES pointed the
  // caller's pair at; only that request changes it.
  std::string handed_out;
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

// Writes the current value of each named resource into its pair's value: a
// number, or for a text the address of the simulator's copy of it, which
// stays until the next such request names the resource. Nothing else of the
// caller's memory is written. Checks every name before writing any pair.
std::int32_t GetValues(Tables tables, ResourcePair* pairs, std::int32_t count);

// Stores the pairs' values after checking all of them (names, writability,
// ranges); nothing changes when one is refused. A pair's value is the
// address of a text only for the resources the tables know as texts, read
// without trusting it (POSERR_SYS_INVALID_ADDRESS where it cannot be read);
// for the others it is a number.
std::int32_t SetValues(Tables tables, const ResourcePair* pairs, std::int32_t count);

// The same for one pair.
std::int32_t SetValue(Tables tables, const ResourcePair& pair);

// The number a pair gives: its value as a signed 32-bit number.
std::int32_t PairNumber(std::uintptr_t value);

// A number typed as text: decimal, or hexadecimal after "0x", with one
// optional sign; nullopt for anything else or what an int64 cannot hold.
std::optional<std::int64_t> ParseNumberText(std::string_view text);

}  // namespace posim
