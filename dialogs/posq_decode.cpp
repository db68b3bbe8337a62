#include "dialogs/posq_decode.h"

#include "codes/pos_codes.h"
#include "names/command_log.h"

namespace dialogs {

namespace {

constexpr std::int32_t kRecordSize = 16;
constexpr std::uint32_t kDeviceOffline = POSM_SYS_DEVICE_OFFLINE;
constexpr std::uint32_t kDeviceOnline = POSM_SYS_DEVICE_ONLINE;

constexpr const char* kBadFormat = "ERROR: Unknown POSQ message format!!!!";
constexpr const char* kDumpTitle = "POSQ Info";
constexpr const char* kOnlineLine = "  %s%s - %s, %s, %s  ";
constexpr const char* kDeviceLine = "%s*** Device: %s  (Subtype: %s)";
constexpr const char* kMessageLine = "%sPOSQ Message from Handle %2d: %s";
constexpr const char* kMp1Line = "%s     mp1 = 0x%08X (%lu)";
constexpr const char* kMp2Line = "%s     mp2 = 0x%08X (%lu)";

void Append(ui::Port& ui, const std::string& line) {
  names::AppendToLog(ui, line);
}

}  // namespace

std::uint32_t LittleEndian32(const unsigned char* data, std::size_t length, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    const std::size_t at = offset + i;
    if (at < length) value |= static_cast<std::uint32_t>(data[at]) << (8 * i);
  }
  return value;
}

void DecodePosqMessage(ui::Port& ui, names::NameScratch& scratch, const unsigned char* data,
                       std::int32_t length) {
  using names::LookupName;
  if (length != kRecordSize) {
    Append(ui, kBadFormat);
    names::DumpHex(ui, kDumpTitle, data, length);
    return;
  }
  const std::uint32_t code = LittleEndian32(data, kRecordSize, 4);
  const std::uint32_t mp1 = LittleEndian32(data, kRecordSize, 8);
  const std::uint32_t mp2 = LittleEndian32(data, kRecordSize, 12);
  const char* message = LookupName(scratch, codes::MessageNames, static_cast<std::int32_t>(code));
  if (code == kDeviceOnline || code == kDeviceOffline) {
    Append(ui, names::FormatLine(kOnlineLine, "", message,
                                 LookupName(scratch, codes::SlotNames, data[11]),
                                 LookupName(scratch, codes::PortNames, data[10]),
                                 LookupName(scratch, codes::ClassNames, data[8])));
    names::ClearNameScratch(scratch);
    Append(ui, names::FormatLine(kDeviceLine, "", LookupName(scratch, codes::DeviceNames, data[9]),
                                 names::LookupSubtype(scratch, data[9], data[12])));
    names::ClearNameScratch(scratch);
    return;
  }
  Append(ui, names::FormatLine(kMessageLine, "", static_cast<int>(mp1 & 0xFFFF), message));
  Append(ui, names::FormatLine(kMp1Line, "", mp1, static_cast<unsigned long>(mp1)));
  Append(ui, names::FormatLine(kMp2Line, "", mp2, static_cast<unsigned long>(mp2)));
  names::ClearNameScratch(scratch);
}

}  // namespace dialogs
