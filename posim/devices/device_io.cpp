#include "posim/devices/device_io.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string_view>

#include "posim/devices/codes.h"
#include "posim/devices/display.h"
#include "posim/devices/events.h"
#include "posim/devices/scale.h"

namespace posim {

namespace {

// Whole queued items, one per read (labels, cards) or as many as fit (fixed-size items).
std::int32_t ReadItems(Device& device, std::uint8_t* buffer, std::int32_t size, bool many,
                       std::int32_t* out) {
  if (device.input.empty()) return kSysTimeout;
  std::size_t used = 0;
  while (!device.input.empty()) {
    const std::string& item = device.input.front();
    if (item.size() > static_cast<std::size_t>(size) - used) break;
    std::memcpy(buffer + used, item.data(), item.size());
    used += item.size();
    device.input.pop_front();
    if (!many) break;
  }
  if (used == 0) return kSysBufferTooSmall;
  *out = static_cast<std::int32_t>(used);
  return kOk;
}

std::int32_t ReadScale(Device& scale, std::uint8_t* buffer, std::int32_t size, std::int32_t* out) {
  std::uint8_t record[kScaleRecordSize];
  if (static_cast<std::size_t>(size) < sizeof record) return kSysBufferTooSmall;
  ScaleRecord(scale, record);
  std::memcpy(buffer, record, sizeof record);
  *out = sizeof record;
  return kOk;
}

std::int32_t ReadNvram(Device& nvram, std::uint8_t* buffer, std::int32_t size, std::int32_t* out) {
  std::int64_t& cursor = nvram.own.Number("cursor");
  const std::int64_t used = nvram.own.Number("bytesUsed");
  if (cursor >= used) return kNvramEof;
  if (size == 0) return kSysBufferTooSmall;  // a read never succeeds with nothing
  const std::int64_t n = std::min<std::int64_t>(size, used - cursor);
  std::memcpy(buffer, nvram.stream.data() + cursor, static_cast<std::size_t>(n));
  cursor += n;
  *out = static_cast<std::int32_t>(n);
  return kOk;
}

std::int32_t ReadStream(Device& port, std::uint8_t* buffer, std::int32_t size, std::int32_t* out) {
  if (port.stream.empty()) return kSysTimeout;
  if (size == 0) return kSysBufferTooSmall;
  const std::size_t n = std::min(port.stream.size(), static_cast<std::size_t>(size));
  std::memcpy(buffer, port.stream.data(), n);
  port.stream.erase(0, n);
  *out = static_cast<std::int32_t>(n);
  return kOk;
}

std::int32_t WritePrinter(Client& client, Device& printer, std::string_view text) {
  if (printer.own.Number("paperOut") != 0) return kSysHwError;
  if (printer.own.Number("station") == 3 && printer.own.Number("diPrinting") == 0) {
    return kPrnInvalidStation;
  }
  std::string line;
  auto print = [&] {
    printer.printed.push_back(line);
    if (printer.printed.size() > kMaxPrintedLines) printer.printed.erase(printer.printed.begin());
    ++printer.own.Number("linesPrinted");
    line.clear();
  };
  for (const char c : text) {
    if (c == '\n') {
      print();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty()) print();
  if (printer.own.Number("chaseNotify") != 0) {
    EmitDeviceEvent(client, printer, kMsgPrnChaseComplete, 0);
  }
  return kOk;
}

std::int32_t WriteNvram(Device& nvram, std::string_view data) {
  std::int64_t& used = nvram.own.Number("bytesUsed");
  std::int64_t& cursor = nvram.own.Number("cursor");
  const bool at_cursor = nvram.own.Number("accessMode") == 1;
  const std::int64_t at = at_cursor ? cursor : used;
  const std::int64_t size = nvram.own.Number("nvramSize");
  if (at + static_cast<std::int64_t>(data.size()) > size) return kNvramNotEnoughRoom;
  if (nvram.stream.size() < static_cast<std::size_t>(size)) {
    nvram.stream.resize(static_cast<std::size_t>(size), '\0');
  }
  nvram.stream.replace(static_cast<std::size_t>(at), data.size(), data);
  used = std::max<std::int64_t>(used, at + static_cast<std::int64_t>(data.size()));
  if (at_cursor) cursor = at + static_cast<std::int64_t>(data.size());
  return kOk;
}

std::int32_t WriteRs232(Client& client, Device& port, std::string_view data) {
  if (port.stream.size() + data.size() > kRs232BufferSize) return kRs232PrevNotComplete;
  port.stream.append(data);
  port.own.Number("bytesWritten") += static_cast<std::int64_t>(data.size());
  const auto length = static_cast<std::uint32_t>(data.size());
  EmitDeviceEvent(client, port, kMsgRs232XmitComplete, length);
  EmitDeviceEvent(client, port, kMsgRs232DataAvail, length);  // the loop-back receives it
  return kOk;
}

}  // namespace

std::int32_t ReadDevice(Device& device, std::uint8_t* buffer, std::int32_t size,
                        std::int32_t* out) {
  switch (device.config.class_code) {
    case kClassScanner:
    case kClassMsr:
      return ReadItems(device, buffer, size, false, out);
    case kClassKeyboard:
    case kClassTouchScreen:
      return ReadItems(device, buffer, size, true, out);
    case kClassScale:
      return ReadScale(device, buffer, size, out);
    case kClassNvram:
      return ReadNvram(device, buffer, size, out);
    case kClassRs232:
      return ReadStream(device, buffer, size, out);
    default:
      return kSysFunctionNotSupported;
  }
}

std::int32_t ReadEventQueue(Client& client, std::uint8_t* buffer, std::int32_t size,
                            std::int32_t* out) {
  if (static_cast<std::size_t>(size) < sizeof(PosqRecord)) {
    return client.records.empty() ? kSysTimeout : kSysBufferTooSmall;
  }
  PosqRecord record;
  if (const std::int32_t status = PopRecord(client, record)) return status;
  const std::uint32_t fields[] = {record.window, record.message, record.mp1, record.mp2};
  for (int f = 0; f < 4; ++f) {
    for (int b = 0; b < 4; ++b) buffer[4 * f + b] = static_cast<std::uint8_t>(fields[f] >> (8 * b));
  }
  *out = sizeof(PosqRecord);
  return kOk;
}

std::int32_t WriteDevice(Client& client, Device& device, const std::uint8_t* data,
                         std::int32_t length, std::int32_t* out) {
  const std::string_view text(reinterpret_cast<const char*>(data),
                              static_cast<std::size_t>(length));
  std::int32_t status = kOk;
  switch (device.config.class_code) {
    case kClassDisplay:
      WriteDisplay(device, std::span(data, static_cast<std::size_t>(length)));
      break;
    case kClassPrinter:
      status = WritePrinter(client, device, text);
      break;
    case kClassNvram:
      status = WriteNvram(device, text);
      break;
    case kClassRs232:
      status = WriteRs232(client, device, text);
      break;
    default:
      return kSysFunctionNotSupported;
  }
  if (status == kOk) *out = length;
  return status;
}

}  // namespace posim
