#include "names/lookup.h"

#include <cstdio>
#include <cstring>

namespace names {

namespace {

// The numeric fallback texts and the name of subtype 0.
constexpr char kCodeFallback[] = "%-6d (0x%08X)";
constexpr char kSubtypeFallback[] = "%3d (0x%02X)";
constexpr char kNoSubtype[] = "NONE";

// Room for the longest fallback text ("-2147483648 (0x80000000)") and its zero.
constexpr std::size_t kFallbackRoom = 32;

const char* FindName(codes::CodeNameTable table, std::int32_t code) {
  for (const codes::CodeName* row = table; row && row->name; ++row)
    if (row->code == code) return row->name;
  return nullptr;
}

}  // namespace

const char* NameScratch::Add(std::string_view text) {
  // A text ends at its first zero byte; an empty one would read as the end mark.
  text = text.substr(0, text.find('\0'));
  if (text.empty()) return "";

  // The free position: step over each text and its zero byte up to the end mark.
  std::size_t free = 0;
  while (free < kSize && area_[free] != '\0') free += std::strlen(area_ + free) + 1;

  // The text, its zero byte and the new end mark must all fit.
  if (free + text.size() + 2 > kSize) {
    overflow_.emplace_back(text);
    return overflow_.back().c_str();
  }
  char* placed = area_ + free;
  std::memcpy(placed, text.data(), text.size());
  placed[text.size()] = '\0';
  placed[text.size() + 1] = '\0';
  return placed;
}

void NameScratch::Clear() {
  area_[0] = '\0';
  overflow_.clear();
}

const char* LookupName(NameScratch& scratch, codes::CodeNameTable table, std::int32_t code) {
  if (const char* name = FindName(table, code)) return name;
  char text[kFallbackRoom];
  std::snprintf(text, sizeof text, kCodeFallback, code, static_cast<unsigned>(code));
  return scratch.Add(text);
}

const char* LookupSubtype(NameScratch& scratch, std::uint8_t device_number, std::uint8_t subtype) {
  if (subtype == 0) return kNoSubtype;
  const std::int32_t key = device_number * 256 + subtype;
  if (const char* name = FindName(codes::SubtypeNames, key)) return name;
  char text[kFallbackRoom];
  std::snprintf(text, sizeof text, kSubtypeFallback, subtype, subtype);
  return scratch.Add(text);
}

void ClearNameScratch(NameScratch& scratch) {
  scratch.Clear();
}

}  // namespace names
