// Number fields as the dialogs accept them: only the characters allowed, no
// sign, no blank, and a value that fits the 32 bits it is passed in.
#pragma once

#include <cstdint>
#include <string_view>

namespace dialogs {

inline constexpr std::string_view kDecimalDigits = "0123456789";
inline constexpr std::string_view kHexDigits = "0123456789ABCDEFabcdef";

// True when every character of text is one of allowed (also for an empty text).
bool OnlyOf(std::string_view text, std::string_view allowed);

// A non-empty string of decimal digits that fits a signed 32-bit integer.
bool ParseInt32(std::string_view digits, std::int32_t& out);

// A non-empty string of digits in base 10 or 16 that fits 32 bits unsigned.
bool ParseUint32(std::string_view digits, int base, std::uint32_t& out);

}  // namespace dialogs
