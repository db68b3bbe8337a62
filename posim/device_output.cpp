#include "posim/device_output.h"

#include <cstdio>
#include <string_view>

#include "posim/codes.h"

namespace posim {

namespace {

std::string Escaped(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '\\') {
      text += c;
    } else if (c == '\\') {
      text += "\\\\";
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      text += hex;
    }
  }
  return text;
}

void AppendValues(ValueTable& table, std::string& text) {
  for (int i = 0; i < static_cast<int>(table.Size()); ++i) {
    const ResourceSpec& spec = table.SpecAt(i);
    text += spec.name;
    text += " = ";
    text += spec.type == ValueType::kText ? table.At(i).text : std::to_string(table.At(i).number);
    text += '\n';
  }
}

}  // namespace

std::string DeviceValues(Device& device) {
  std::string text;
  AppendValues(device.own, text);
  AppendValues(device.common, text);
  return text;
}

std::string DeviceOutput(Device& device) {
  switch (device.config.class_code) {
    case kClassDisplay:
      return device.own.Text("displayText");
    case kClassPrinter: {
      std::string text;
      for (const std::string& line : device.printed) text += Escaped(line) + '\n';
      if (!text.empty()) text.pop_back();
      return text;
    }
    case kClassRs232:
      return Escaped(device.stream);
    case kClassNvram:
      return Escaped(std::string_view(device.stream)
                         .substr(0, static_cast<std::size_t>(device.own.Number("bytesUsed"))));
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
  return text;
}

}  // namespace posim
