// The kinds of device the simulated terminal knows, one per device class,
// each with the table of its named resources; and the two tables that every
// device (device-level names) and every client (system names) answers.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace posim {

enum class ValueType {
  kNumber,  // a signed 32-bit number
  kText,    // a text, passed through the caller's string buffer
  kWindow,  // a window handle, pointer-sized
};

struct ResourceRule {
  const char* name;  // the API's name (list-file name without its prefix)
  ValueType type;
  bool writable;
  std::int32_t initial;
  std::int32_t min;  // numbers: accepted range; texts: max is the longest text
  std::int32_t max;
  std::int32_t bad_value_status;          // status for a value outside the range
  std::span<const std::int32_t> choices;  // when not empty: the only accepted numbers
  const char* initial_text;
};

constexpr ResourceRule Number(const char* name, std::int32_t initial, std::int32_t min,
                              std::int32_t max, std::int32_t bad_value_status) {
  return {name, ValueType::kNumber, true, initial, min, max, bad_value_status, {}, ""};
}
constexpr ResourceRule Choice(const char* name, std::int32_t initial,
                              std::span<const std::int32_t> choices,
                              std::int32_t bad_value_status) {
  return {name, ValueType::kNumber, true, initial, 0, 0, bad_value_status, choices, ""};
}
constexpr ResourceRule ReadOnly(const char* name, std::int32_t initial = 0) {
  return {name, ValueType::kNumber, false, initial, 0, 0, 0, {}, ""};
}
constexpr ResourceRule Text(const char* name, bool writable, std::int32_t max_length,
                            const char* initial_text = "") {
  return {name, ValueType::kText, writable, 0, 0, max_length, 0, {}, initial_text};
}

struct DeviceKind {
  const char* class_name;  // as in the device class list, e.g. "PosDisplay"
  std::int32_t class_code;
  std::span<const ResourceRule> resources;
};

std::span<const DeviceKind> DeviceKinds();
const DeviceKind* FindKindByClassName(std::string_view class_name);  // any case
const DeviceKind* FindKindByCode(std::int32_t class_code);

// Names that every device answers (its number, slot, state ...), read-only.
std::span<const ResourceRule> DeviceLevelResources();
// Names that belong to the client's session (queueHandle, readTimeout ...).
std::span<const ResourceRule> SystemResources();

// The rule of a resource name (any case) in any of the tables above, the
// session's first; nullptr for a name none holds.
const ResourceRule* FindResourceRule(std::string_view name);

// Class names that open something other than one class's devices.
inline constexpr std::string_view kAnyDeviceClass = "PosDevice";
inline constexpr std::string_view kSystemClass = "PosSystem";

// Case-insensitive comparison of names and class texts.
bool SameName(std::string_view a, std::string_view b);

}  // namespace posim
