// Turning a request name, typed loosely, into its request code.
#pragma once

#include <cstdint>
#include <string_view>

#include "codes/code_tables.h"
#include "port/port.h"

namespace dialogs {

enum class MatchResult {
  kMatched = 0,   // exactly one row; its code is delivered
  kNoMatch = 1,   // "  --> Couldn't find match for: '%s'  " is logged
  kMultiple = 2,  // "  --> Multiple matches for: '%s'  " is logged
  kEmpty = 3,     // nothing left once blanks and underscores are dropped
};

// Blanks and underscores dropped and letters upper-cased, text matches every
// row whose name (underscores dropped) contains it. code is written only on
// kMatched. At most one line is logged.
MatchResult MatchRequestName(ui::Port& ui, std::string_view text, codes::CodeNameTable table,
                             std::int32_t& code);

}  // namespace dialogs
