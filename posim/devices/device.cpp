#include "posim/devices/device.h"

#include "posim/devices/codes.h"

namespace posim {

Device::Device(const DeviceConfig& c)
    : config(c),
      kind(FindKindByCode(c.class_code)),
      own(kind != nullptr ? kind->resources : std::span<const ResourceRule>()),
      common(DeviceLevelResources()) {
  common.Number("deviceNumber") = c.number;
  common.Number("subtype") = c.subtype;
  common.Number("slot") = c.slot;
  common.Number("port") = c.port;
  common.Number("deviceClass") = c.class_code;
  common.Text("deviceName") = c.name;
  common.Number("deviceOnline") = 1;
  if (c.class_code == kClassDisplay) {
    rows.assign(static_cast<std::size_t>(own.Number("rows")),
                std::string(static_cast<std::size_t>(own.Number("columns")), ' '));
  }
}

Client::Client(std::uint32_t client_id, const std::vector<DeviceConfig>& terminal,
               EventSink* event_sink)
    : id(client_id), system(SystemResources()), sink(event_sink) {
  for (const DeviceConfig& config : terminal) devices.push_back(std::make_unique<Device>(config));
  system.Number("numberOfDevices") = static_cast<std::int64_t>(devices.size());
}

Device* Client::FindDevice(std::string_view name) {
  for (auto& device : devices) {
    if (SameName(device->config.name, name)) return device.get();
  }
  return nullptr;
}

Device* Client::FirstOfClass(std::int32_t class_code) {
  for (auto& device : devices) {
    if (class_code == 0 || device->config.class_code == class_code) return device.get();
  }
  return nullptr;
}

}  // namespace posim
