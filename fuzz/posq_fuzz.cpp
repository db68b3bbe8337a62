// Event-queue records of any length and content decode to lines, the name
// scratch left empty.
#include "dialogs/posq_decode.h"
#include "fuzz/fuzz_input.h"
#include "ui/scripted/scripted_port.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ui::ScriptedPort port;
  names::NameScratch scratch;
  dialogs::DecodePosqMessage(port, scratch, data, static_cast<std::int32_t>(size));
  fuzz::Check(!port.entries().empty(), "no line for a record");
  fuzz::Check(scratch.empty(), "the name scratch was left in use");
  return 0;
}
