// Request names typed loosely: at most one line, a code only on a match and
// then one of the table's.
#include "dialogs/request_match.h"
#include "fuzz/fuzz_input.h"
#include "ui/scripted/scripted_port.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ui::ScriptedPort port;
  std::int32_t code = -12345;
  const dialogs::MatchResult result =
      dialogs::MatchRequestName(port, fuzz::AsText(data, size), codes::RequestNames, code);
  fuzz::Check(port.entries().size() <= 1, "more than one line");
  if (result != dialogs::MatchResult::kMatched) {
    fuzz::Check(code == -12345, "a code without a match");
    return 0;
  }
  bool known = false;
  for (const codes::CodeName* row = codes::RequestNames; row->name != nullptr; ++row)
    known = known || row->code == code;
  fuzz::Check(known, "a matched code the table does not hold");
  return 0;
}
