// The POS API's vocabulary: constant (code, name) tables, each ended by the
// row (0, nullptr). Rows are searched in stored order; the first match wins.
#pragma once

#include <cstddef>
#include <cstdint>

namespace codes {

struct CodeName {
  std::int32_t code;
  const char* name;  // nullptr only in the end row
};

// A table: its rows followed by the end row.
using CodeNameTable = const CodeName*;

extern const CodeName ErrorNames[];    // POSERR_ statuses, 147 rows
extern const CodeName MessageNames[];  // POSM_ event codes, 20 rows
extern const CodeName RequestNames[];  // POS_ request codes, 45 rows
extern const CodeName SlotNames[];     // 9 rows
extern const CodeName PortNames[];     // 3 rows
extern const CodeName DeviceNames[];   // device numbers, 58 rows
extern const CodeName ClassNames[];    // device classes, 13 rows
extern const CodeName SubtypeNames[];  // device number * 256 + subtype, 37 rows

// The number of rows before the end row.
std::size_t RowCount(CodeNameTable table);

}  // namespace codes
