#include "posim/session/call_trace.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <span>
#include <string_view>

#include "codes/code_tables.h"
#include "posim/devices/caller_memory.h"
#include "posim/devices/device_kinds.h"
#include "posim/devices/device_output.h"
#include "posim/devices/values.h"

namespace posim {

namespace {

constexpr std::size_t kTracedText = 128;  // characters of a text shown

const char* Name(codes::CodeNameTable table, std::int32_t code) {
  for (const codes::CodeName* row = table; row->name != nullptr; ++row) {
    if (row->code == code) return row->name;
  }
  return nullptr;
}

std::string Quoted(std::string_view bytes, std::size_t total) {
  std::string text = "\"" + EscapedBytes(bytes) + "\"";
  if (total > bytes.size()) text += "...";
  return text;
}

std::string PairValue(const ResourcePair& pair) {
  const ResourceRule* rule = pair.name != nullptr ? FindResourceRule(pair.name) : nullptr;
  char number[32];
  if (rule != nullptr && rule->type == ValueType::kText) {
    if (const std::optional<std::string> text = ReadCallerText(pair.value, kTracedText + 1))
      return Quoted(std::string_view(*text).substr(0, kTracedText), text->size());
    std::snprintf(number, sizeof number, "(unreadable 0x%llX)",
                  static_cast<unsigned long long>(pair.value));
    return number;
  }
  if (rule != nullptr && rule->type == ValueType::kWindow) {
    std::snprintf(number, sizeof number, "0x%llX", static_cast<unsigned long long>(pair.value));
  } else {
    std::snprintf(number, sizeof number, "%d",
                  static_cast<std::int32_t>(static_cast<std::uint32_t>(pair.value)));
  }
  return number;
}

}  // namespace

std::string TraceTime(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() % 1000;
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(ms));
  return text;
}

std::string TraceText(const char* text) {
  if (text == nullptr) return "NULL";
  const std::size_t length = strnlen(text, kTracedText + 1);
  return Quoted(std::string_view(text, std::min(length, kTracedText)), length);
}

std::string TracePairs(const ResourcePair* pairs, std::int32_t count) {
  if (count < 0 || count > kMaxPairs || (count > 0 && pairs == nullptr)) {
    return std::string(pairs == nullptr ? "NULL" : "[...]") + ", " + std::to_string(count);
  }
  std::string text = "[";
  for (std::int32_t i = 0; i < count; ++i) {
    if (i > 0) text += ", ";
    text += pairs[i].name == nullptr ? "NULL" : EscapedBytes(pairs[i].name);
    text += "=" + PairValue(pairs[i]);
  }
  return text + "], " + std::to_string(count);
}

std::string TraceBytes(const void* data, std::int32_t length) {
  if (data == nullptr) return "NULL, " + std::to_string(length);
  if (length < 0) return "[...], " + std::to_string(length);
  const auto total = static_cast<std::size_t>(length);
  const std::string_view bytes(static_cast<const char*>(data), std::min(total, kTracedBytes));
  return Quoted(bytes, total) + " (" + std::to_string(length) +
         (length == 1 ? " byte)" : " bytes)");
}

std::string TraceStatus(std::int32_t status) {
  if (status == 0) return "0";
  const char* name = Name(codes::ErrorNames, status);
  return std::to_string(status) + (name != nullptr ? std::string(" ") + name : "");
}

std::string TraceRequest(std::int32_t request) {
  const char* name = Name(codes::RequestNames, request);
  return std::to_string(request) + (name != nullptr ? std::string(" ") + name : "");
}

std::string TraceEvent(std::uintptr_t window, std::uint32_t message, std::uint32_t wparam,
                       std::uint32_t lparam) {
  const char* name = Name(codes::MessageNames, static_cast<std::int32_t>(message));
  char text[160];
  std::snprintf(text, sizeof text, "event %s (0x%04X) to window 0x%llX: wParam 0x%08X, lParam %u",
                name != nullptr ? name : "?", message, static_cast<unsigned long long>(window),
                wparam, lparam);
  return text;
}

}  // namespace posim
