// One simulated device and one client session of the simulated subsystem.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "codes/pos_library.h"
#include "posim/devices/device_kinds.h"
#include "posim/devices/faults.h"
#include "posim/devices/terminal.h"
#include "posim/devices/values.h"

namespace posim {

struct Device {
  explicit Device(const DeviceConfig& config);

  bool Online() { return common.Number("deviceOnline") != 0; }
  std::int32_t AcquiredBy() { return static_cast<std::int32_t>(common.Number("acquired")); }
  bool Locked() { return common.Number("locked") != 0; }

  DeviceConfig config;
  const DeviceKind* kind;
  ValueTable own;     // the class's resources
  ValueTable common;  // the device-level resources

  std::deque<std::string> input;     // waiting to be read: labels, cards, key strokes, touches
  std::string stream;                // NVRAM contents; RS-232 bytes received
  std::vector<std::string> rows;     // display rows
  std::vector<std::string> printed;  // printed lines, oldest first
  std::int32_t gross_weight = 0;     // scale
  std::int32_t zero_offset = 0;
};

class EventSink {
 public:
  virtual ~EventSink() = default;
  // Delivers one window message (from a thread of its own); window 0: the
  // event has no window and is only queued for reads on handle 0.
  virtual void Post(std::uintptr_t window, std::uint32_t message, std::uint32_t wparam,
                    std::uint32_t lparam) = 0;
};

struct OpenHandle {
  Device* device;         // nullptr: a handle on the session (class PosSystem)
  std::uintptr_t window;  // the handle's own "queueHandle", 0 when none was given
};

struct Client {
  Client(std::uint32_t id, const std::vector<DeviceConfig>& terminal, EventSink* sink);

  Device* FindDevice(std::string_view name);
  // The first device of a class (class_code 0: of any class).
  Device* FirstOfClass(std::int32_t class_code);

  std::uint32_t id;
  std::vector<std::unique_ptr<Device>> devices;
  ValueTable system;
  std::map<std::int32_t, OpenHandle> handles;
  std::int32_t next_handle = 1;
  std::deque<PosqRecord> records;  // the event queue, read on handle 0
  bool records_discarded = false;  // the queue was full and events were dropped
  Faults faults;                   // calls that answer a chosen status (posimctl fail)
  EventSink* sink;
};

inline constexpr std::size_t kMaxRecords = 65536;
inline constexpr std::size_t kMaxHandles = 64;    // open at once
inline constexpr std::int32_t kLastHandle = 255;  // the device descriptor of events is a byte

}  // namespace posim
