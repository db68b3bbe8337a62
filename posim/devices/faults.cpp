#include "posim/devices/faults.h"

#include <cstdint>

#include "codes/code_tables.h"
#include "posim/devices/device_kinds.h"
#include "posim/devices/values.h"

namespace posim {

namespace {

constexpr struct {
  Entry entry;
  const char* word;
  const char* api_name;
} kEntries[] = {
    {Entry::kInitialize, "initialize", "PosInitialize"},
    {Entry::kOpen, "open", "PosOpen"},
    {Entry::kClose, "close", "PosClose"},
    {Entry::kIoctl, "ioctl", "PosIoctl"},
    {Entry::kRead, "read", "PosRead"},
    {Entry::kWrite, "write", "PosWrite"},
    {Entry::kTerm, "term", "PosTerm"},
    {Entry::kVersion, "version", "PosVersion"},
};
static_assert(std::size(kEntries) == kEntryCount);

const char* StatusName(std::int32_t status) {
  for (const codes::CodeName* row = codes::ErrorNames; row->name != nullptr; ++row) {
    if (row->code == status) return row->name;
  }
  return nullptr;
}

}  // namespace

const char* ApiName(Entry entry) {
  return kEntries[static_cast<std::size_t>(entry)].api_name;
}

std::optional<Entry> FindEntry(std::string_view word) {
  for (const auto& e : kEntries) {
    if (SameName(e.word, word) || SameName(e.api_name, word)) return e.entry;
  }
  return std::nullopt;
}

std::optional<std::int32_t> ParseStatus(std::string_view word) {
  for (const codes::CodeName* row = codes::ErrorNames; row->name != nullptr; ++row) {
    if (SameName(row->name, word)) return row->code;
  }
  const std::optional<std::int64_t> n = ParseNumberText(word);
  if (!n || *n == 0 || *n < INT32_MIN || *n > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(*n);
}

void Faults::Set(Entry entry, std::int32_t status, std::int32_t count) {
  pending_[static_cast<std::size_t>(entry)] = {status, count};
}

std::optional<std::int32_t> Faults::Take(Entry entry) {
  Pending& p = pending_[static_cast<std::size_t>(entry)];
  if (p.count <= 0) return std::nullopt;
  --p.count;
  return p.status;
}

std::string Faults::List() const {
  std::string text;
  for (const auto& e : kEntries) {
    const Pending& p = pending_[static_cast<std::size_t>(e.entry)];
    if (p.count <= 0) continue;
    const char* name = StatusName(p.status);
    text += std::string(e.word) + " " + (name != nullptr ? name : std::to_string(p.status)) + ", " +
            std::to_string(p.count) + (p.count == 1 ? " call\n" : " calls\n");
  }
  if (text.empty()) return "no faults pending";
  text.pop_back();
  return text;
}

}  // namespace posim
