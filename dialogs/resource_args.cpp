#include "dialogs/resource_args.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "dialogs/numbers.h"
#include "names/command_log.h"
#include "resources/templates.h"

namespace dialogs {

namespace {

constexpr const char* kTypeChoices[] = {"Hex         ", "Dec         ", "String      "};
constexpr int kListExtent = 300;

constexpr const char* kArgumentCaption = "Argument Error ";
constexpr const char* kNonHex = "Non Hexadecimal Argument : %s ";
constexpr const char* kNonDecimal = "Non decimal Argument : %s ";
constexpr const char* kNonNumericCount = "Non Numeric Argument : %s ";
constexpr const char* kTooManyPairs = "Too many Arguments : %s (at most %d) ";
constexpr const char* kListFull = "Resources List is full : at most %d resources ";
constexpr const char* kNameTooLong = "Resource name longer than %d characters : %s ";

constexpr const char* kEchoName = "     %d: %s   ";
constexpr const char* kEchoDec = "               (%ld)  ";
constexpr const char* kEchoHex = "               (0x%llX)  ";  // 64 bits: a whole handle
constexpr const char* kEchoString = "  %s    ";

// The one row name whose remainder is not what the API expects.
constexpr const char* kDiWidthRow = "PosNDIWidth";
constexpr std::size_t kPrefixLength = 4;

void Refuse(ui::Port& ui, const std::string& text) {
  ui.ShowMessage(text, kArgumentCaption);
}

// The tag chosen by the beginning of the Type combo's text; 0 for none.
char TypeTag(std::string_view type_text) {
  if (type_text.starts_with("Hex")) return kTagHex;
  if (type_text.starts_with("Dec")) return kTagDec;
  if (type_text.starts_with("String")) return kTagString;
  return 0;
}

// A number row's value: kNoValue when empty; nullopt (after the box) when the
// text is not a number of that base or does not fit 32 bits.
std::optional<std::uint32_t> NumberValue(ui::Port& ui, char tag, const std::string& text) {
  if (text.empty()) return kNoValue;
  std::uint32_t value = 0;
  if (ParseUint32(text, tag == kTagHex ? 16 : 10, value)) return value;
  Refuse(ui, names::FormatLine(tag == kTagHex ? kNonHex : kNonDecimal, text.c_str()));
  return std::nullopt;
}

std::string SecondEchoLine(const ResourceArg& row, const ResourcePair& pair) {
  switch (row.type) {
    case kTagDec:
      return names::FormatLine(
          kEchoDec,
          static_cast<long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(pair.value))));
    case kTagHex: {
      // Numbers are 32 bits; the window handle is shown whole.
      const std::uintptr_t shown =
          pair.name == kQueueHandleName ? pair.value : pair.value & kNoValue;
      return names::FormatLine(kEchoHex, static_cast<unsigned long long>(shown));
    }
    case kTagString: {
      // The row's own copy, never read past its end.
      const std::string text(row.text.begin(), std::find(row.text.begin(), row.text.end(), '\0'));
      return names::FormatLine(kEchoString, text.c_str());
    }
    default:
      return {};
  }
}

}  // namespace

void ResourceArgList::Reset() {
  for (ResourceArg& row : rows_) row = ResourceArg{};
  row_count_ = 0;
  // Built pairs would point at released copies.
  pairs_.fill(ResourcePair{});
}

bool ResourceArgList::AddRow(char type, std::string_view name, std::uint32_t value,
                             std::string_view value_text) {
  if (row_count_ >= kMaxRows || name.size() > kMaxNameLength) return false;
  ResourceArg& row = rows_[row_count_];
  row.type = type;
  std::memset(row.name, 0, sizeof row.name);
  std::memcpy(row.name, name.data(), name.size());
  if (type == kTagString) {
    if (value_text.empty()) {
      row.text.assign(kEmptyStringRoom, '\0');
    } else {
      row.text.assign(value_text.begin(), value_text.end());
      row.text.push_back('\0');
    }
    row.value = reinterpret_cast<std::uintptr_t>(row.text.data());
  } else {
    row.value = value;
  }
  ++row_count_;
  return true;
}

void PrepareResourceArgs(ui::Dialog& dialog, ResourceArgList& list) {
  for (const char* choice : kTypeChoices) dialog.AddString(res::kIdArgType, choice);
  dialog.SetCurSel(res::kIdArgType, 0);
  dialog.SetHorizontalExtent(res::kIdResourceList, kListExtent);
  list.Reset();
}

void AddResourceArg(ui::Port& ui, ui::Dialog& dialog, ResourceArgList& list) {
  const std::string name = dialog.GetText(res::kIdArgResource);
  const std::string value_text = dialog.GetText(res::kIdArgValue);
  const char tag = TypeTag(dialog.GetText(res::kIdArgType));
  if (tag == 0) return;
  if (list.row_count() >= kMaxRows) {
    Refuse(ui, names::FormatLine(kListFull, static_cast<int>(kMaxRows)));
    return;
  }
  std::uint32_t value = 0;
  if (tag != kTagString) {
    std::optional<std::uint32_t> number = NumberValue(ui, tag, value_text);
    if (!number) return;
    value = *number;
  }
  if (name.size() > kMaxNameLength) {
    Refuse(ui, names::FormatLine(kNameTooLong, static_cast<int>(kMaxNameLength), name.c_str()));
    return;
  }
  list.AddRow(tag, name, value, value_text);
  dialog.AddString(res::kIdResourceList, name);
  dialog.SetText(res::kIdArgCount, std::to_string(list.row_count()));
}

std::optional<ArgumentCount> ReadArgumentCount(ui::Port& ui, ui::Dialog& dialog,
                                               std::int32_t max_pairs) {
  const std::string text = dialog.GetText(res::kIdArgCount);
  if (text.empty()) return ArgumentCount{};
  if (!OnlyOf(text, kDecimalDigits)) {
    Refuse(ui, names::FormatLine(kNonNumericCount, text.c_str()));
    return std::nullopt;
  }
  std::int32_t count = 0;
  if (!ParseInt32(text, count) || count > max_pairs) {
    Refuse(ui, names::FormatLine(kTooManyPairs, text.c_str(), static_cast<int>(max_pairs)));
    return std::nullopt;
  }
  return ArgumentCount{count, true};
}

void BuildResourcePairs(ResourceArgList& list, std::int32_t count) {
  const std::size_t n = std::min(static_cast<std::size_t>(std::max(count, 0)), kMaxPairs);
  for (std::size_t i = 0; i < n; ++i) {
    const ResourceArg& row = list.row(i);
    ResourcePair& pair = list.pair(i);
    if (std::strcmp(row.name, kDiWidthRow) == 0) {
      pair.name = kDiWidthName;
    } else {
      pair.name = row.name + std::min(std::strlen(row.name), kPrefixLength);
    }
    pair.value = row.value;
  }
}

std::optional<std::int32_t> CollectResourcePairs(ui::Port& ui, ui::Dialog& dialog,
                                                 ResourceArgList& list, std::int32_t max_pairs) {
  std::optional<ArgumentCount> count = ReadArgumentCount(ui, dialog, max_pairs);
  if (!count) return std::nullopt;
  if (count->given) BuildResourcePairs(list, count->count);
  return count->count;
}

void EchoResourcePairs(ui::Port& ui, ResourceArgList& list, std::int32_t count) {
  const std::size_t n = std::min(static_cast<std::size_t>(std::max(count, 0)), kMaxPairs);
  for (std::size_t i = 0; i < n; ++i) {
    const ResourcePair& pair = list.pair(i);
    names::AppendToLog(
        ui, names::FormatLine(kEchoName, static_cast<int>(i + 1), pair.name ? pair.name : ""));
    const std::string second = SecondEchoLine(list.row(i), pair);
    if (!second.empty()) names::AppendToLog(ui, second);
  }
}

void ClearResourceArgs(ui::Dialog& dialog, ResourceArgList& list) {
  dialog.ResetContent(res::kIdResourceList);
  list.Reset();
  dialog.SetText(res::kIdArgCount, "0");
}

}  // namespace dialogs
