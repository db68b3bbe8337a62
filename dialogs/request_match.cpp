#include "dialogs/request_match.h"

#include <string>

#include "names/command_log.h"

namespace dialogs {

namespace {

constexpr const char* kNoMatchLine = "  --> Couldn't find match for: '%s'  ";
constexpr const char* kMultipleLine = "  --> Multiple matches for: '%s'  ";

std::string Normalised(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '_') continue;
    out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  return out;
}

std::string WithoutUnderscores(std::string_view name) {
  std::string out;
  for (char c : name)
    if (c != '_') out.push_back(c);
  return out;
}

}  // namespace

MatchResult MatchRequestName(ui::Port& ui, std::string_view text, codes::CodeNameTable table,
                             std::int32_t& code) {
  const std::string wanted = Normalised(text);
  if (wanted.empty()) return MatchResult::kEmpty;
  int matches = 0;
  std::int32_t last = 0;
  for (const codes::CodeName* row = table; row->name != nullptr; ++row) {
    if (WithoutUnderscores(row->name).find(wanted) == std::string::npos) continue;
    ++matches;
    last = row->code;
  }
  if (matches == 1) {
    code = last;
    return MatchResult::kMatched;
  }
  const std::string shown(text);
  names::AppendToLog(ui,
                     names::FormatLine(matches == 0 ? kNoMatchLine : kMultipleLine, shown.c_str()));
  return matches == 0 ? MatchResult::kNoMatch : MatchResult::kMultiple;
}

}  // namespace dialogs
