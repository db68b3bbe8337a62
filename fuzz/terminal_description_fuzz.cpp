// posim's terminal descriptions: a parse gives 1 to 32 devices with fields in
// range and unique names, or one error naming a line.
#include "fuzz/fuzz_input.h"
#include "posim/devices/terminal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<posim::DeviceConfig> devices;
  std::string error;
  if (!posim::ParseTerminal(fuzz::AsText(data, size), devices, error)) {
    fuzz::Check(!error.empty(), "a refusal without a reason");
    fuzz::Check(devices.empty(), "devices changed by a refused description");
    return 0;
  }
  fuzz::Check(!devices.empty() && devices.size() <= posim::kMaxDevices, "device count");
  for (const posim::DeviceConfig& d : devices) {
    fuzz::Check(!d.name.empty() && d.name.size() <= 31, "name length");
    fuzz::Check(d.slot <= 8, "slot");
    fuzz::Check(d.port == 0x00 || d.port == 0x11 || d.port == 0x22, "port");
  }
  return 0;
}
