// The hexadecimal dump: a title line, a size line and one row per sixteen
// bytes, whatever the bytes.
#include "fuzz/fuzz_input.h"
#include "names/command_log.h"
#include "ui/scripted/scripted_port.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ui::ScriptedPort port;
  names::DumpHex(port, "Read Results", data, static_cast<std::int64_t>(size));
  const std::size_t rows = (size + 15) / 16;
  fuzz::Check(port.entries().size() == (size == 0 ? 0 : 2 + rows), "wrong number of lines");
  return 0;
}
