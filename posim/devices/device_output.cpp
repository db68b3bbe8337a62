#include "posim/devices/device_output.h"

#include <cstdio>
#include <string_view>

#include "posim/devices/codes.h"
#include "posim/devices/device_io.h"

namespace posim {

std::string EscapedBytes(std::string_view bytes, bool keep_line_ends) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      text += "\\\\";
    } else if ((byte >= 0x20 && byte < 0x7F) || (keep_line_ends && c == '\n')) {
      text += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      text += hex;
    }
  }
  return text;
}

namespace {

void AppendValues(ValueTable& table, std::string& text) {
  for (int i = 0; i < static_cast<int>(table.Size()); ++i) {
    const ResourceRule& rule = table.RuleAt(i);
    text += rule.name;
    text += " = ";
    text += rule.type == ValueType::kText ? EscapedBytes(table.At(i).text)
                                          : std::to_string(table.At(i).number);
    text += '\n';
  }
}

}  // namespace

std::string ItemText(std::int32_t class_code, const std::string& item) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned>(item[i] & 0xFF); };
  if (class_code == kClassKeyboard && item.size() == kKeyStrokeSize) {
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", byte(0));
    return "key " + std::string(code) + " " + EscapedBytes(item.substr(1));
  }
  if (class_code == kClassTouchScreen && item.size() == kTouchPointSize) {
    return "touch " + std::to_string(byte(0) | byte(1) << 8) + " " +
           std::to_string(byte(2) | byte(3) << 8);
  }
  return EscapedBytes(item);
}

std::string DeviceValues(Device& device) {
  std::string text;
  AppendValues(device.own, text);
  AppendValues(device.common, text);
  if (!text.empty()) text.pop_back();
  return text;
}

std::string DeviceOutput(Device& device) {
  switch (device.config.class_code) {
    case kClassDisplay:
      // Rows hold no line ends: the LFs are those between the rows.
      return EscapedBytes(device.own.Text("displayText"), true);
    case kClassPrinter: {
      std::string lines;
      for (const std::string& line : device.printed) lines += line + '\n';
      if (!lines.empty()) lines.pop_back();
      return EscapedBytes(lines, true);
    }
    case kClassRs232:
      return EscapedBytes(device.stream);
    case kClassNvram:
      return EscapedBytes(std::string_view(device.stream)
                              .substr(0, static_cast<std::size_t>(device.own.Number("bytesUsed"))));
    case kClassScanner:
    case kClassMsr:
    case kClassKeyboard:
    case kClassTouchScreen: {
      std::string text = "waiting to be read: " + std::to_string(device.input.size());
      for (const std::string& item : device.input) {
        text += "\n" + ItemText(device.config.class_code, item);
      }
      return text;
    }
    default:
      return DeviceValues(device);
  }
}

std::string DeviceList(Client& client) {
  std::string text;
  for (auto& device : client.devices) {
    const DeviceConfig& c = device->config;
    char line[128];
    std::snprintf(line, sizeof line, "%-12s %-12s 0x%02X %3u  slot %u  port 0x%02X  %s\n",
                  c.name.c_str(), device->kind->class_name, c.number, c.subtype, c.slot, c.port,
                  device->Online() ? "online" : "offline");
    text += line;
  }
  if (!text.empty()) text.pop_back();
  return text;
}

}  // namespace posim
