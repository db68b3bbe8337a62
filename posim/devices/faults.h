// The eight entries by the words people use for them, and the faults that
// "posimctl fail" sets: the next calls of an entry answer with a chosen
// status instead of acting.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace posim {

enum class Entry { kInitialize, kOpen, kClose, kIoctl, kRead, kWrite, kTerm, kVersion };
inline constexpr std::size_t kEntryCount = 8;

// The API's name of an entry, as the tool echoes its calls ("PosOpen").
const char* ApiName(Entry entry);
// An entry by its word ("open") or its API name ("PosOpen"), in any case.
std::optional<Entry> FindEntry(std::string_view word);

// A status by its POSERR_ name or as a number; nullopt for 0 and anything else.
std::optional<std::int32_t> ParseStatus(std::string_view word);

inline constexpr std::int32_t kMaxFaultCount = 1000000;

class Faults {
 public:
  // The next count calls of entry answer status; a count of 0 clears it.
  void Set(Entry entry, std::int32_t status, std::int32_t count);
  void Clear() { pending_ = {}; }
  // The status that the call answers, when a fault is pending for its entry.
  std::optional<std::int32_t> Take(Entry entry);
  // One line per pending fault ("open POSERR_SYS_DEVICE_OFFLINE, 2 calls").
  std::string List() const;

 private:
  struct Pending {
    std::int32_t status = 0;
    std::int32_t count = 0;
  };
  std::array<Pending, kEntryCount> pending_;
};

}  // namespace posim
