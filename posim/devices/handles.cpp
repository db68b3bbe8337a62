#include "posim/devices/handles.h"

#include <cstring>
#include <optional>
#include <vector>

#include "posim/devices/codes.h"
#include "posim/devices/device_io.h"
#include "posim/devices/events.h"
#include "posim/devices/values.h"

namespace posim {

namespace {

// The pairs of an open, sorted by what they do.
struct OpenPairs {
  std::vector<ResourcePair> selectors;  // deviceNumber, subtype, slot, port
  std::vector<ResourcePair> settings;
  std::uintptr_t window = 0;
};

constexpr struct {
  const char* name;
  std::int32_t mismatch_status;
} kSelectors[] = {
    {"deviceNumber", kSysInvalidDevice},
    {"subtype", kSysInvalidDevice},
    {"slot", kSysInvalidSlot},
    {"port", kSysInvalidPort},
    {"deviceClass", kSysInvalidClassDeviceCombo},
};

bool IsSelector(const char* name) {
  for (const auto& selector : kSelectors) {
    if (SameName(selector.name, name)) return true;
  }
  return false;
}

std::int32_t SortPairs(ResourcePair* pairs, std::int32_t count, OpenPairs& sorted) {
  if (const std::int32_t status = CheckPairs(pairs, count)) return status;
  for (std::int32_t i = 0; i < count; ++i) {
    if (pairs[i].name == nullptr) return kSysInvalidName;
    if (SameName(pairs[i].name, "queueHandle")) {
      sorted.window = pairs[i].value;
    } else if (IsSelector(pairs[i].name)) {
      sorted.selectors.push_back(pairs[i]);
    } else {
      sorted.settings.push_back(pairs[i]);
    }
  }
  return kOk;
}

bool Matches(Device& device, const ResourcePair& selector) {
  return device.common.Number(selector.name) == PairNumber(selector.value);
}

// The first candidate that all selectors match; else the status of the first
// selector that no candidate matches.
std::int32_t Select(const std::vector<Device*>& candidates, const OpenPairs& pairs,
                    Device*& chosen) {
  for (Device* device : candidates) {
    bool all = true;
    for (const ResourcePair& selector : pairs.selectors) all = all && Matches(*device, selector);
    if (all) {
      chosen = device;
      return kOk;
    }
  }
  for (const auto& kind : kSelectors) {
    for (const ResourcePair& selector : pairs.selectors) {
      if (!SameName(kind.name, selector.name)) continue;
      bool any = false;
      for (Device* device : candidates) any = any || Matches(*device, selector);
      if (!any) return kind.mismatch_status;
    }
  }
  return kSysInvalidDevice;
}

std::int32_t Candidates(Client& client, const char* name, const char* device_class,
                        std::vector<Device*>& out) {
  const DeviceKind* kind = FindKindByClassName(device_class);
  const bool any_class = SameName(device_class, kAnyDeviceClass);
  if (kind == nullptr && !any_class) return kSysInvalidClass;
  if (SameName(name, kGenericDeviceName)) {
    for (auto& device : client.devices) {
      if (any_class || device->config.class_code == kind->class_code) out.push_back(device.get());
    }
    return out.empty() ? kSysInvalidName : kOk;
  }
  Device* device = client.FindDevice(name);
  if (device == nullptr) return kSysInvalidName;
  if (!any_class && device->config.class_code != kind->class_code) {
    return kSysInvalidClassDeviceCombo;
  }
  out.push_back(device);
  return kOk;
}

std::int32_t Add(Client& client, Device* device, std::uintptr_t window, std::int32_t* out) {
  if (client.handles.size() >= kMaxHandles) return kSysTooManyDevices;
  // Numbers go round 1 to kLastHandle, so that a closed one comes back late
  // and every handle fits the one byte that events give it.
  std::int32_t handle = client.next_handle;
  while (client.handles.contains(handle)) handle = handle % kLastHandle + 1;
  client.next_handle = handle % kLastHandle + 1;
  client.handles[handle] = {device, window};
  *out = handle;
  return kOk;
}

// The device of an open handle that a read or write may use.
std::int32_t UsableDevice(Client& client, std::int32_t handle, Device*& device) {
  const auto open = client.handles.find(handle);
  if (open == client.handles.end()) return kSysInvalidDescriptor;
  device = open->second.device;
  if (device == nullptr) return kSysFunctionNotSupported;
  if (!device->Online()) return kSysDeviceOffline;
  const std::int32_t holder = device->AcquiredBy();
  if (holder != 0 && holder != handle) return kSysAcquiredByOther;
  return kOk;
}

bool BadBuffer(const void* buffer, std::int32_t size) {
  return size < 0 || (size > 0 && buffer == nullptr);
}

}  // namespace

std::int32_t OpenDevice(Client& client, const char* name, const char* device_class,
                        ResourcePair* pairs, std::int32_t count, std::int32_t* handle_out) {
  if (name == nullptr || name[0] == '\0') return kSysInvalidName;
  if (device_class == nullptr) return kSysInvalidClass;
  OpenPairs sorted;
  if (const std::int32_t status = SortPairs(pairs, count, sorted)) return status;
  const auto settings_count = static_cast<std::int32_t>(sorted.settings.size());

  if (SameName(device_class, kSystemClass)) {
    if (!SameName(name, kGenericDeviceName) && !SameName(name, "SYSTEM")) return kSysInvalidName;
    if (!sorted.selectors.empty()) return kSysInvalidDevice;
    ValueTable* tables[] = {&client.system};
    if (const std::int32_t status = SetValues(tables, sorted.settings.data(), settings_count)) {
      return status;
    }
    return Add(client, nullptr, sorted.window, handle_out);
  }

  std::vector<Device*> candidates;
  if (const std::int32_t status = Candidates(client, name, device_class, candidates)) {
    return status;
  }
  Device* device = nullptr;
  if (const std::int32_t status = Select(candidates, sorted, device)) return status;
  if (!device->Online()) return kSysDeviceOffline;
  if (client.handles.size() >= kMaxHandles) return kSysTooManyDevices;
  ValueTable* tables[] = {&device->own, &device->common, &client.system};
  if (const std::int32_t status = SetValues(tables, sorted.settings.data(), settings_count)) {
    return status;
  }
  return Add(client, device, sorted.window, handle_out);
}

void ReleaseDevice(Client& client, Device& device) {
  device.common.Number("acquired") = 0;
  device.common.Number("locked") = 0;
  EmitDeviceEvent(client, device, kMsgSysDeviceReleased, 0);
}

std::int32_t CloseHandle(Client& client, std::int32_t handle) {
  const auto open = client.handles.find(handle);
  if (open == client.handles.end())
    return handle == 0 ? kSysFunctionNotSupported : kSysInvalidDescriptor;
  Device* device = open->second.device;
  const bool held = device != nullptr && device->AcquiredBy() == handle;
  client.handles.erase(open);
  if (held) ReleaseDevice(client, *device);
  return kOk;
}

std::int32_t ReadHandle(Client& client, std::int32_t handle, void* buffer, std::int32_t size,
                        std::int32_t* out) {
  if (BadBuffer(buffer, size)) return kSysInvalidLength;
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  if (handle == 0) return ReadEventQueue(client, bytes, size, out);
  Device* device = nullptr;
  if (const std::int32_t status = UsableDevice(client, handle, device)) return status;
  if (device->Locked()) return kSysLockedNoDataRead;
  return ReadDevice(*device, bytes, size, out);
}

std::int32_t WriteHandle(Client& client, std::int32_t handle, const void* data, std::int32_t length,
                         std::int32_t* out) {
  if (BadBuffer(data, length)) return kSysInvalidLength;
  if (handle == 0) return kSysFunctionNotSupported;
  Device* device = nullptr;
  if (const std::int32_t status = UsableDevice(client, handle, device)) return status;
  return WriteDevice(client, *device, static_cast<const std::uint8_t*>(data), length, out);
}

}  // namespace posim
