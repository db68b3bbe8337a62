// Numbers to names: a table name, or a numeric fallback text kept in
// NameScratch until the next ClearNameScratch.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "codes/code_tables.h"

namespace names {

// 256 bytes of texts back to back, each with its zero byte, then an end mark.
// A text stays where it is until Clear(), so several can be in use at once.
// When the area is full, further texts are kept aside, just as stable.
class NameScratch {
 public:
  static constexpr std::size_t kSize = 256;

  // Places a copy of text and returns it; valid until Clear().
  const char* Add(std::string_view text);
  void Clear();
  bool empty() const { return area_[0] == '\0' && overflow_.empty(); }
  const char* area() const { return area_; }

 private:
  char area_[kSize] = {};
  std::deque<std::string> overflow_;
};

const char* LookupName(NameScratch& scratch, codes::CodeNameTable table, std::int32_t code);
const char* LookupSubtype(NameScratch& scratch, std::uint8_t device_number, std::uint8_t subtype);
void ClearNameScratch(NameScratch& scratch);

}  // namespace names
