// The resource tables of the device kinds. Ranges and the statuses for values
// outside them follow the POSERR_ codes of each class; classes without codes
// of their own use POSERR_SYS_OUT_OF_BOUNDS.
#include "posim/devices/device_kinds.h"

#include <cctype>

#include "posim/devices/codes.h"

namespace posim {

namespace {

constexpr ResourceRule kDisplay[] = {
    ReadOnly("rows", 2),
    ReadOnly("columns", 20),
    Number("cursorRow", 0, 0, 1, kDspInvalidCursor),
    Number("cursorColumn", 0, 0, 19, kDspInvalidCursor),
    Number("cursorMode", 1, 0, 2, kDspInvalidCursor),  // 0 off, 1 underline, 2 block
    Number("brightness", 4, 1, 4, kDspInvalidMode),
    Number("displayMode", 0, 0, 1, kDspInvalidMode),  // 0 overwrite, 1 scroll at the end
    Text("displayText", false, 41),
};

constexpr ResourceRule kPrinter[] = {
    Number("station", 1, 1, 3, kPrnInvalidStation),  // 1 receipt, 2 journal, 3 document insert
    Number("diWidth", 66, 1, 86, kPrnInvalidDiWidth),
    Number("crLfDistance", 24, 1, 255, kPrnInvalidCrLfDistance),
    Number("sjLfDistance", 24, 1, 255, kPrnInvalidSjLfDistance),
    Number("diLfDistance", 30, 1, 255, kPrnInvalidDiLfDistance),
    Number("feedDirection", 0, 0, 1, kPrnInvalidFeedDirection),
    Number("headParkedPosition", 0, 0, 1, kPrnInvalidHeadParkedPosition),
    Number("interleaved", 0, 0, 1, kPrnInvalidInterleavedValue),
    Number("printMode", 0, 0, 1, kPrnInvalidMode),
    Number("chaseNotify", 0, 0, 1, kPrnInvalidMode),  // 1: a chase-complete event per write
    ReadOnly("diPrinting", 1),
    ReadOnly("fiscalPrinting", 0),
    ReadOnly("linesPrinted", 0),
    ReadOnly("paperOut", 0),  // 1: nothing prints until paper is put back
};

constexpr ResourceRule kScanner[] = {
    Number("beepState", 1, 0, 1, kScanInvalidBeepState),
    Number("beepVolume", 2, 0, 3, kScanInvalidBeepVolume),
    Number("beepFrequency", 1, 0, 3, kScanInvalidBeepFreq),
    Number("beepLength", 1, 0, 3, kScanInvalidBeepLength),
    Number("laserTimeout", 15, 0, 255, kScanInvalidLaserTimeout),
    Number("motorTimeout", 30, 0, 255, kScanInvalidMotorTimeout),
    Number("scansPerRead", 2, 1, 7, kScanInvalidScansPerRead),
    Number("upcExpansion", 0, 0, 1, kScanInvalidUpcExpansion),
    ReadOnly("labelCount", 0),
    Text("lastLabel", false, 64),
};

constexpr ResourceRule kScale[] = {
    Number("weightUnits", 0, 0, 1, kScaleConfigurationError),  // 0 grams, 1 hundredths of a pound
    Number("weightMode", 0, 0, 1, kScaleInvalidWeightMode),
    Number("operationsMode", 0, 0, 1, kScaleInvalidOperationsMode),
    Number("vibrationFilter", 1, 0, 3, kScaleInvalidVibrationFilter),
    Number("remoteDisplayState", 1, 0, 1, kScaleInvalidRemoteDisplayState),
    Number("zeroIndicatorState", 1, 0, 1, kScaleInvalidZeroIndicatorState),
    Number("zeroReturnState", 0, 0, 1, kScaleInvalidZeroReturnState),
    ReadOnly("currentWeight", 0),
};

constexpr ResourceRule kMsr[] = {
    Number("tracksToRead", 7, 1, 7,
           kSysOutOfBounds),  // bit 0 track 1, bit 1 track 2, bit 2 track 3
    ReadOnly("track1Length"),
    ReadOnly("track2Length"),
    ReadOnly("track3Length"),
    ReadOnly("swipeCount"),
};

constexpr ResourceRule kKeyboard[] = {
    Number("keyboardClick", 1, 0, 1, kKbdInvalidKeyboardClick),
    Number("typematicDelay", 1, 0, 3, kKbdInvalidTypematicDelay),
    Number("typematicFrequency", 11, 0, 31, kKbdInvalidTypematicFreq),
    ReadOnly("typematic", 1),
    Number("toneFrequency", 1000, 100, 10000, kKbdInvalidFrequency),
    Number("toneDuration", 200, 10, 5000, kKbdInvalidDuration),
    Number("toneVolume", 2, 0, 3, kKbdInvalidVolume),
    ReadOnly("toneSounding", 0),
    Number("fatFingerTimeout", 0, 0, 255, kKbdInvalidFatFingerTimeout),
    Number("doubleKey", 0, 0, 1, kKbdInvalidDoubleKey),
    Number("numpadStyle", 0, 0, 2, kKbdInvalidNumpadStyle),
    ReadOnly("numLock", 0),
    ReadOnly("numLockEnabled", 1),
    ReadOnly("scrollLock", 0),
    ReadOnly("scrollLockEnabled", 1),
    ReadOnly("hotKeys", 1),
    ReadOnly("posFunctions", 1),
    ReadOnly("keyLockPosition", 1),
};

constexpr ResourceRule kDrawer[] = {
    Number("pulseWidth", 50, 10, 200, kTillInvalidPulseWidth),  // milliseconds
    ReadOnly("drawerOpen", 0),
    ReadOnly("openCount", 0),
};

constexpr std::int32_t kNvramSize = 8192;
constexpr ResourceRule kNvram[] = {
    ReadOnly("nvramSize", kNvramSize),
    Number("cursor", 0, 0, kNvramSize, kNvramInvalidCursor),
    Number("accessMode", 0, 0, 1, kNvramInvalidMode),  // 0 append, 1 write at the cursor
    ReadOnly("bytesUsed", 0),
    ReadOnly("batteryGood", 1),
};

constexpr ResourceRule kPower[] = {
    Number("alarmDay", 1, 1, 31, kPowerInvalidDay),
    Number("alarmHour", 6, 0, 23, kPowerInvalidHour),
    Number("alarmMinutes", 0, 0, 59, kPowerInvalidMinutes),
    ReadOnly("alarmSet", 0),
    ReadOnly("powerOn", 1),
};

constexpr std::int32_t kBaudRates[] = {300,  600,   1200,  2400,  4800,
                                       9600, 19200, 38400, 57600, 115200};
constexpr ResourceRule kRs232[] = {
    Choice("baudRate", 9600, kBaudRates, kRs232InvalidBaudRate),
    Number("dataBits", 8, 5, 8, kRs232InvalidDataBits),
    Number("parity", 0, 0, 4, kRs232InvalidParity),  // none, odd, even, mark, space
    Number("stopBits", 1, 1, 2, kRs232InvalidStopBits),
    Number("timeoutChar", 0, 0, 255, kRs232InvalidTimeoutChar),
    ReadOnly("bytesWritten", 0),
};

constexpr ResourceRule kTouch[] = {
    Number("contrast", 8, 0, 15, kTouchInvalidContrast),
    Number("backlightOn", 1, 0, 1, kTouchInvalidBacklightOn),
    Number("clickVolume", 1, 0, 3, kTouchInvalidClickVolume),
    Number("entryClick", 1, 0, 1, kTouchInvalidEntryClick),
    Number("exitClick", 0, 0, 1, kTouchInvalidExitClick),
    Number("touchMode", 0, 0, 2, kTouchInvalidMode),
    Number("screenSaverTime", 10, 0, 60, kTouchInvalidScreenSaverTime),  // minutes
    Number("toneFrequency", 1000, 100, 10000, kTouchInvalidToneFrequency),
    Number("toneDuration", 200, 10, 5000, kTouchInvalidToneDuration),
    Number("toneVolume", 2, 0, 3, kTouchInvalidToneVolume),
    ReadOnly("toneSounding", 0),
};

constexpr ResourceRule kAlarm[] = {
    Number("toneFrequency", 2000, 100, 5000, kSysOutOfBounds),
    Number("toneDuration", 1000, 10, 60000, kSysOutOfBounds),
    Number("toneVolume", 3, 0, 3, kSysOutOfBounds),
    ReadOnly("alarmSounding", 0),
};

constexpr DeviceKind kKinds[] = {
    {"PosDisplay", kClassDisplay, kDisplay},
    {"PosPrinter", kClassPrinter, kPrinter},
    {"PosScanner", kClassScanner, kScanner},
    {"PosScale", kClassScale, kScale},
    {"PosMsr", kClassMsr, kMsr},
    {"PosKeyboard", kClassKeyboard, kKeyboard},
    {"PosDrawer", kClassCashDrawer, kDrawer},
    {"PosNvram", kClassNvram, kNvram},
    {"PosPower", kClassPower, kPower},
    {"PosRs232c", kClassRs232, kRs232},
    {"PosTouch", kClassTouchScreen, kTouch},
    {"PosAlarm", kClassAlarm, kAlarm},
};

constexpr ResourceRule kDeviceLevel[] = {
    ReadOnly("deviceNumber"), ReadOnly("subtype"),     ReadOnly("slot"),
    ReadOnly("port"),         ReadOnly("deviceClass"), Text("deviceName", false, 31),
    ReadOnly("deviceOnline"), ReadOnly("acquired"),    ReadOnly("locked"),
};

constexpr ResourceRule kSystem[] = {
    {"queueHandle", ValueType::kWindow, true, 0, 0, 0, 0, {}, ""},
    Number("readTimeout", 0, 0, 10000, kSysOutOfBounds),  // milliseconds a read waits for data
    Number("terminalNumber", 1, 1, 9999, kSysOutOfBounds),
    Number("storeNumber", 1, 1, 9999, kSysOutOfBounds),
    Text("terminalName", true, 31, "LANE 1"),
    ReadOnly("numberOfDevices"),
    ReadOnly("apiVersion", 0x0102),
};

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::span<const DeviceKind> DeviceKinds() {
  return kKinds;
}

const DeviceKind* FindKindByClassName(std::string_view class_name) {
  for (const DeviceKind& kind : kKinds) {
    if (SameName(kind.class_name, class_name)) return &kind;
  }
  return nullptr;
}

const DeviceKind* FindKindByCode(std::int32_t class_code) {
  for (const DeviceKind& kind : kKinds) {
    if (kind.class_code == class_code) return &kind;
  }
  return nullptr;
}

std::span<const ResourceRule> DeviceLevelResources() {
  return kDeviceLevel;
}
std::span<const ResourceRule> SystemResources() {
  return kSystem;
}

const ResourceRule* FindResourceRule(std::string_view name) {
  const auto in = [&](std::span<const ResourceRule> rules) -> const ResourceRule* {
    for (const ResourceRule& rule : rules) {
      if (SameName(rule.name, name)) return &rule;
    }
    return nullptr;
  };
  if (const ResourceRule* rule = in(SystemResources())) return rule;
  if (const ResourceRule* rule = in(DeviceLevelResources())) return rule;
  for (const DeviceKind& kind : DeviceKinds()) {
    if (const ResourceRule* rule = in(kind.resources)) return rule;
  }
  return nullptr;
}

}  // namespace posim
