#include "posim/devices/events.h"

#include "posim/devices/codes.h"

namespace posim {

namespace {

std::uintptr_t SessionWindow(Client& client) {
  return static_cast<std::uintptr_t>(client.system.Number("queueHandle"));
}

void Emit(Client& client, std::uintptr_t window, std::uint32_t message, std::uint32_t wparam,
          std::uint32_t lparam, std::uint32_t mp1) {
  if (client.records.size() < kMaxRecords) {
    client.records.push_back({static_cast<std::uint32_t>(window), message, mp1, lparam});
  } else {
    client.records_discarded = true;
  }
  if (client.sink != nullptr) client.sink->Post(window, message, wparam, lparam);
}

}  // namespace

std::int32_t HandleOf(const Client& client, Device& device) {
  if (const std::int32_t acquirer = device.AcquiredBy()) return acquirer;
  for (const auto& [handle, open] : client.handles) {
    if (open.device == &device) return handle;
  }
  return 0;
}

void EmitDeviceEvent(Client& client, Device& device, std::uint32_t message, std::uint32_t lparam,
                     std::uint32_t wparam_high) {
  const std::int32_t handle = HandleOf(client, device);
  std::uintptr_t window = SessionWindow(client);
  const auto open = client.handles.find(handle);
  if (open != client.handles.end() && open->second.window != 0) window = open->second.window;
  const std::uint32_t wparam = (static_cast<std::uint32_t>(handle) & 0xFFFF) | wparam_high << 16;
  Emit(client, window, message, wparam, lparam, wparam);
}

void EmitOnlineState(Client& client, Device& device, bool online) {
  const DeviceConfig& c = device.config;
  const std::uint32_t place = static_cast<std::uint32_t>(c.number) << 8 |
                              static_cast<std::uint32_t>(c.port) << 16 |
                              static_cast<std::uint32_t>(c.slot) << 24;
  const std::uint32_t class_byte = static_cast<std::uint32_t>(c.class_code) & 0xFF;
  // The record always carries the class in its first byte; the offline
  // message carries the device's handle there instead.
  const std::uint32_t handle_byte = static_cast<std::uint32_t>(HandleOf(client, device)) & 0xFF;
  const std::uint32_t wparam = place | (online ? class_byte : handle_byte);
  Emit(client, SessionWindow(client), online ? kMsgSysDeviceOnline : kMsgSysDeviceOffline, wparam,
       c.subtype, place | class_byte);
}

void EmitRaw(Client& client, std::uint32_t message, std::uint32_t wparam, std::uint32_t lparam) {
  Emit(client, SessionWindow(client), message, wparam, lparam, wparam);
}

std::int32_t PopRecord(Client& client, PosqRecord& out) {
  if (client.records_discarded) {
    client.records_discarded = false;
    return kSysDataDiscarded;
  }
  if (client.records.empty()) return kSysTimeout;
  out = client.records.front();
  client.records.pop_front();
  return kOk;
}

}  // namespace posim
