// Key sequences as the common terminals send them after ESC (the "ESC [" and
// "ESC O" forms), for the keys that the terminfo entry of TERM does not list:
// a terminal that runs under another TERM than its own still gives keys, and
// the bytes of a sequence never reach a field as typed characters.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "ui/terminal/input_event.h"

namespace terminal {

// A sequence longer than this (without the ESC) is not a key.
inline constexpr std::size_t kMaxEscapeSequence = 16;

// Whether the bytes after ESC ("[" or "O" first) are a whole sequence:
// "[", parameter and intermediate bytes, a final byte; or "O" and one byte.
bool IsWholeEscapeSequence(std::string_view seq);

// The key of a whole sequence, with Alt when its modifier parameter holds
// Alt (Shift and Ctrl are dropped); nothing for a sequence that is no key
// the front end uses.
std::optional<InputEvent> DecodeEscapeSequence(std::string_view seq);

}  // namespace terminal
