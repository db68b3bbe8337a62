// PC (set 1) scan codes of the keys a terminal reports, for the key echo of
// the main window: the code of the key and whether it produces a character.
#pragma once

#include <optional>

#include "ui/terminal/input_event.h"

namespace terminal {

struct ScanCode {
  unsigned code;
  bool is_char;  // a character message follows the key down
  bool operator==(const ScanCode&) const = default;
};

// The key's scan code, or nothing for a key without one (or with Alt).
std::optional<ScanCode> ScanCodeOf(const InputEvent& key);

}  // namespace terminal
