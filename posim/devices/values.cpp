#include "posim/devices/values.h"

#include <cassert>
#include <charconv>
#include <optional>

#include "posim/devices/caller_memory.h"
#include "posim/devices/codes.h"

namespace posim {

namespace {

constexpr std::size_t kLongestCallerText = 4096;

struct Slot {
  ValueTable* table = nullptr;
  int index = -1;
};

std::int32_t Resolve(Tables tables, const char* name, Slot& slot) {
  if (name == nullptr) return kSysInvalidName;
  for (ValueTable* table : tables) {
    const int index = table->Find(name);
    if (index >= 0) {
      slot = {table, index};
      return kOk;
    }
  }
  return kSysInvalidName;
}

std::int32_t CheckNumber(const ResourceRule& rule, std::int64_t n) {
  if (!rule.choices.empty()) {
    for (std::int32_t choice : rule.choices) {
      if (choice == n) return kOk;
    }
    return rule.bad_value_status;
  }
  return n >= rule.min && n <= rule.max ? kOk : rule.bad_value_status;
}

// The new value a pair asks for, or the status that refuses it.
std::int32_t NewValue(const ResourceRule& rule, std::uintptr_t raw, Value& out) {
  if (!rule.writable) return kSysCmdReject;
  switch (rule.type) {
    case ValueType::kWindow:
      out.number = static_cast<std::int64_t>(raw);
      return kOk;
    case ValueType::kText: {
      std::optional<std::string> text = ReadCallerText(raw, kLongestCallerText);
      if (!text) return kSysInvalidAddress;
      if (text->size() > static_cast<std::size_t>(rule.max)) return kSysInvalidLength;
      out.text = std::move(*text);
      return kOk;
    }
    case ValueType::kNumber:
      break;
  }
  const std::int64_t n = PairNumber(raw);
  const std::int32_t status = CheckNumber(rule, n);
  if (status == kOk) out.number = n;
  return status;
}

}  // namespace

ValueTable::ValueTable(std::span<const ResourceRule> rules) : rules_(rules) {
  values_.reserve(rules.size());
  for (const ResourceRule& rule : rules) values_.push_back({rule.initial, rule.initial_text, {}});
}

int ValueTable::Find(std::string_view name) const {
  for (std::size_t i = 0; i < rules_.size(); ++i) {
    if (SameName(rules_[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

Value& ValueTable::Named(std::string_view name) {
  const int index = Find(name);
  assert(index >= 0 && "a name of the table's own rules");
  return values_[index < 0 ? 0 : index];
}

std::int64_t& ValueTable::Number(std::string_view name) {
  return Named(name).number;
}
std::string& ValueTable::Text(std::string_view name) {
  return Named(name).text;
}

std::optional<std::int64_t> ParseNumberText(std::string_view s) {
  bool negative = false;
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  // from_chars would take a second sign.
  if (s.empty() || s[0] == '-') return std::nullopt;
  std::int64_t n = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), n, base);
  if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
  return negative ? -n : n;
}

std::int32_t PairNumber(std::uintptr_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::int32_t CheckPairs(const ResourcePair* pairs, std::int32_t count) {
  if (count < 0 || count > kMaxPairs || (count > 0 && pairs == nullptr)) return kSysInvalidNargs;
  return kOk;
}

std::int32_t GetValues(Tables tables, ResourcePair* pairs, std::int32_t count) {
  if (const std::int32_t status = CheckPairs(pairs, count)) return status;
  // Every name is checked before any pair is written.
  std::vector<Slot> slots(count);
  for (std::int32_t i = 0; i < count; ++i) {
    if (const std::int32_t status = Resolve(tables, pairs[i].name, slots[i])) return status;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    Value& value = slots[i].table->At(slots[i].index);
    switch (slots[i].table->RuleAt(slots[i].index).type) {
      case ValueType::kText:
        value.handed_out = value.text;
        pairs[i].value = reinterpret_cast<std::uintptr_t>(value.handed_out.c_str());
        break;
      case ValueType::kWindow:
        pairs[i].value = static_cast<std::uintptr_t>(value.number);
        break;
      case ValueType::kNumber:
        pairs[i].value = static_cast<std::uint32_t>(value.number);
        break;
    }
  }
  return kOk;
}

std::int32_t SetValues(Tables tables, const ResourcePair* pairs, std::int32_t count) {
  if (const std::int32_t status = CheckPairs(pairs, count)) return status;
  std::vector<Slot> slots(count);
  std::vector<Value> values(count);
  for (std::int32_t i = 0; i < count; ++i) {
    if (const std::int32_t status = Resolve(tables, pairs[i].name, slots[i])) return status;
    const ResourceRule& rule = slots[i].table->RuleAt(slots[i].index);
    if (const std::int32_t status = NewValue(rule, pairs[i].value, values[i])) return status;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    Value& value = slots[i].table->At(slots[i].index);
    value.number = values[i].number;
    value.text = std::move(values[i].text);
  }
  return kOk;
}

std::int32_t SetValue(Tables tables, const ResourcePair& pair) {
  return SetValues(tables, &pair, 1);
}

}  // namespace posim
