// The resource argument editor that the Initialize, Open and Ioctl dialogs
// share: rows added with "Add Resource", turned into the (name, value) pairs
// the POS call receives, and echoed to the CommandLog.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "codes/pos_library.h"
#include "port/port.h"

namespace dialogs {

inline constexpr std::size_t kMaxRows = 100;
inline constexpr std::size_t kMaxPairs = 20;
inline constexpr std::size_t kNameRoom = 103;  // 102 characters and the terminator
inline constexpr std::size_t kMaxNameLength = kNameRoom - 1;
inline constexpr std::size_t kEmptyStringRoom = 100;   // offered for an empty string value
inline constexpr std::uint32_t kNoValue = 0xFFFFFFFF;  // an empty number field

// The fixed pair names that do not point into a row.
inline constexpr char kQueueHandleName[] = "queueHandle";
inline constexpr char kDiWidthName[] = "diWidth";

// Type tags of a row.
inline constexpr char kTagHex = 'X';
inline constexpr char kTagDec = 'D';
inline constexpr char kTagString = 'S';

// One row. For 'X' and 'D' rows the value is the 32-bit number; for 'S' rows
// the address of text, the copy that the row owns.
struct ResourceArg {
  char type = 0;  // 0: never filled
  char name[kNameRoom] = {};
  std::uintptr_t value = 0;
  std::vector<char> text;
};

// The 100 rows, the count of rows added and the 20 pairs; one object shared by
// the three dialogs (only one of them is open at a time).
class ResourceArgList {
 public:
  // All rows back to zero, their string copies released, the count 0.
  void Reset();

  // Adds a row at the count's index; false when the table is full or the name
  // does not fit. For 'S' rows value_text is copied; for numbers value is used.
  bool AddRow(char type, std::string_view name, std::uint32_t value,
              std::string_view value_text = {});

  std::size_t row_count() const { return row_count_; }
  const ResourceArg& row(std::size_t i) const { return rows_[i]; }
  ResourcePair* pairs() { return pairs_.data(); }
  ResourcePair& pair(std::size_t i) { return pairs_[i]; }

 private:
  std::array<ResourceArg, kMaxRows> rows_;
  std::size_t row_count_ = 0;
  std::array<ResourcePair, kMaxPairs> pairs_{};
};

// When a dialog opens: the type choices, the list's extent, an empty table.
void PrepareResourceArgs(ui::Dialog& dialog, ResourceArgList& list);

// "Add Resource": adds one row from the editor's fields, or says why not.
void AddResourceArg(ui::Port& ui, ui::Dialog& dialog, ResourceArgList& list);

// The "N Arguments" field: 0 when empty (given is then false), else its
// value; nullopt after telling the user why it is refused (not a number, or
// more than max_pairs).
struct ArgumentCount {
  std::int32_t count = 0;
  bool given = false;
};
std::optional<ArgumentCount> ReadArgumentCount(ui::Port& ui, ui::Dialog& dialog,
                                               std::int32_t max_pairs);

// Pairs 0..count-1 from rows 0..count-1 (count at most kMaxPairs).
void BuildResourcePairs(ResourceArgList& list, std::int32_t count);

// ReadArgumentCount, then BuildResourcePairs when the field was not empty:
// the count to pass, or nullopt when the OK handling must stop.
std::optional<std::int32_t> CollectResourcePairs(ui::Port& ui, ui::Dialog& dialog,
                                                 ResourceArgList& list, std::int32_t max_pairs);

// Appends pairs 0..count-1, each in the format of the row with its index.
void EchoResourcePairs(ui::Port& ui, ResourceArgList& list, std::int32_t count);

// After an Ioctl call: empty list box and table, "0" in "N Arguments".
void ClearResourceArgs(ui::Dialog& dialog, ResourceArgList& list);

}  // namespace dialogs
