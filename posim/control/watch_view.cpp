#include "posim/control/watch_view.h"

#include <cstdio>

#include "posim/control/control_commands.h"
#include "posim/devices/codes.h"
#include "posim/devices/device_output.h"

namespace posim {

namespace {

constexpr std::size_t kReceiptLines = 200;  // the newest printed lines shown

std::string Plural(std::int64_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Waiting(Device& device, const char* one, const char* many) {
  std::string text = Plural(static_cast<std::int64_t>(device.input.size()), one, many) + " waiting";
  const char* separator = ": ";
  for (const std::string& item : device.input) {
    text += separator + ItemText(device.config.class_code, item);
    separator = ", ";
  }
  return text;
}

std::string DisplayState(Device& d) {
  return "cursor row " + std::to_string(d.own.Number("cursorRow")) + ", column " +
         std::to_string(d.own.Number("cursorColumn"));
}
std::string PrinterState(Device& d) {
  std::string text = Plural(d.own.Number("linesPrinted"), "line", "lines") + " printed";
  if (d.own.Number("paperOut") != 0) text += ", PAPER OUT";
  if (!d.printed.empty()) text += "; last: " + EscapedBytes(d.printed.back());
  return text;
}
std::string ScannerState(Device& d) {
  return Waiting(d, "label", "labels");
}
std::string MsrState(Device& d) {
  return Waiting(d, "card", "cards");
}
std::string KeyboardState(Device& d) {
  return "key lock " + std::to_string(d.own.Number("keyLockPosition")) + ", " +
         Waiting(d, "key", "keys");
}
std::string TouchState(Device& d) {
  return Waiting(d, "touch", "touches");
}
std::string ScaleState(Device& d) {
  const std::int64_t weight = d.own.Number("currentWeight");
  if (d.own.Number("weightUnits") == 0) return std::to_string(weight) + " g";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f lb", static_cast<double>(weight) / 100.0);
  return text;
}
std::string DrawerState(Device& d) {
  return std::string(d.own.Number("drawerOpen") != 0 ? "OPEN" : "closed") + ", opened " +
         Plural(d.own.Number("openCount"), "time", "times");
}
std::string NvramState(Device& d) {
  return std::to_string(d.own.Number("bytesUsed")) + " of " +
         std::to_string(d.own.Number("nvramSize")) + " bytes used";
}
std::string PowerState(Device& d) {
  return std::string(d.own.Number("powerOn") != 0 ? "on" : "OFF") +
         (d.own.Number("alarmSet") != 0 ? ", alarm set" : "");
}
std::string Rs232State(Device& d) {
  std::string text =
      Plural(static_cast<std::int64_t>(d.stream.size()), "byte", "bytes") + " to read";
  if (!d.stream.empty()) text += ": " + EscapedBytes(d.stream.substr(0, 64));
  return text;
}
std::string AlarmState(Device& d) {
  return d.own.Number("alarmSounding") != 0 ? "SOUNDING" : "silent";
}

constexpr struct {
  std::int32_t class_code;
  std::string (*state)(Device&);
} kStates[] = {
    {kClassDisplay, DisplayState},   {kClassPrinter, PrinterState},
    {kClassScanner, ScannerState},   {kClassScale, ScaleState},
    {kClassMsr, MsrState},           {kClassKeyboard, KeyboardState},
    {kClassCashDrawer, DrawerState}, {kClassNvram, NvramState},
    {kClassPower, PowerState},       {kClassRs232, Rs232State},
    {kClassTouchScreen, TouchState}, {kClassAlarm, AlarmState},
};

std::string State(Device& device) {
  for (const auto& s : kStates) {
    if (s.class_code == device.config.class_code) return s.state(device);
  }
  return {};
}

// The display's rows inside a frame.
std::string DisplayBox(Device& display) {
  const std::size_t columns = display.rows.empty() ? 0 : display.rows[0].size();
  const std::string rule = "+" + std::string(columns, '-') + "+\n";
  std::string text = rule;
  for (const std::string& row : display.rows) text += "|" + EscapedBytes(row) + "|\n";
  return text + rule;
}

std::string Handles(Client& client) {
  if (client.handles.empty()) return "handles: none open\n";
  std::string text = "handles:";
  for (const auto& [handle, open] : client.handles) {
    text += "  " + std::to_string(handle) + " ";
    if (open.device == nullptr) {
      text += "session";
      continue;
    }
    text += open.device->config.name;
    if (open.device->AcquiredBy() == handle)
      text += open.device->Locked() ? " (acquired, locked)" : " (acquired)";
  }
  return text + "\n";
}

std::string Heading(Device& device) {
  const DeviceConfig& c = device.config;
  char text[160];
  std::snprintf(text, sizeof text, "%s  %s  device 0x%02X  subtype %u  slot %u  port 0x%02X  %s\n",
                c.name.c_str(), device.kind->class_name, c.number, c.subtype, c.slot, c.port,
                device.Online() ? "on line" : "OFF LINE");
  return text;
}

std::string WholeTerminal(Client& client) {
  std::string text = EscapedBytes(client.system.Text("terminalName")) + ": " +
                     Plural(static_cast<std::int64_t>(client.devices.size()), "device", "devices") +
                     ", " +
                     Plural(static_cast<std::int64_t>(client.records.size()), "event", "events") +
                     " queued\n" + Handles(client);
  for (auto& device : client.devices) {
    char name[64];
    std::snprintf(name, sizeof name, "%-12s %-9s ", device->config.name.c_str(),
                  ClassWord(device->config.class_code));
    std::string line = name;
    if (!device->Online()) line += "OFF LINE  ";
    if (device->config.class_code == kClassDisplay) {
      // The rows one under the other, the first beside the name.
      for (const std::string& row : device->rows) {
        text += line + "|" + EscapedBytes(row) + "|\n";
        line.assign(line.size(), ' ');
      }
      continue;
    }
    text += line + State(*device) + "\n";
  }
  return text;
}

std::string OneDevice(Client& client, Device& device) {
  std::string text = Heading(device) + Handles(client) + State(device) + "\n";
  switch (device.config.class_code) {
    case kClassDisplay:
      return text + DisplayBox(device);
    case kClassPrinter: {
      text += "--- receipt ---\n";
      const std::size_t first =
          device.printed.size() > kReceiptLines ? device.printed.size() - kReceiptLines : 0;
      for (std::size_t i = first; i < device.printed.size(); ++i) {
        text += EscapedBytes(device.printed[i]) + "\n";
      }
      return text;
    }
    case kClassScanner:
    case kClassMsr:
    case kClassKeyboard:
    case kClassTouchScreen:
    case kClassRs232:
      return text;
    default:
      return text + DeviceValues(device) + "\n";
  }
}

}  // namespace

bool WatchFrame(Client& client, const std::string& what, std::string& frame) {
  if (what.empty() || what == "all") {
    frame = WholeTerminal(client);
    return true;
  }
  Device* device = NamedDevice(client, what);
  if (device == nullptr) return false;
  frame = OneDevice(client, *device);
  return true;
}

}  // namespace posim
