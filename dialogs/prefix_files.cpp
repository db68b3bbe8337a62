#include "dialogs/prefix_files.h"

#include <span>

#include "resources/list_files.h"

namespace dialogs {

namespace {

struct PrefixFile {
  std::string_view prefix;
  const char* file;
};

using namespace res;

constexpr PrefixFile kClassFiles[] = {
    {"PosSystem", kSystemListFile},   {"PosDevice", kDeviceListFile},
    {"PosAlarm", kAlarmListFile},     {"PosDisplay", kDisplayListFile},
    {"PosDrawer", kDrawerListFile},   {"PosKeyboard", kKeyboardListFile},
    {"PosMsr", kMsrListFile},         {"PosNvram", kNvramListFile},
    {"PosPower", kPowerListFile},     {"PosPrinter", kPrinterListFile},
    {"PosRs232c", kRs232ListFile},    {"PosScale", kScaleListFile},
    {"PosScanner", kScannerListFile}, {"PosTouch", kTouchListFile},
};

constexpr PrefixFile kRequestPrefixFiles[] = {
    {"POS_ALARM", kAlarmListFile}, {"POS_DSP", kDisplayListFile},  {"POS_KBD", kKeyboardListFile},
    {"POS_POWER", kPowerListFile}, {"POS_PRN", kPrinterListFile},  {"POS_RS232", kRs232ListFile},
    {"POS_SCALE", kScaleListFile}, {"POS_SCAN", kScannerListFile}, {"POS_SYS", kSystemListFile},
    {"POS_TILL", kDrawerListFile}, {"POS_TOUCH", kTouchListFile},
};

const char* FirstPrefixFile(std::span<const PrefixFile> table, std::string_view text) {
  for (const PrefixFile& row : table)
    if (text.starts_with(row.prefix)) return row.file;
  return nullptr;
}

}  // namespace

const char* ClassListFile(std::string_view device_class) {
  return FirstPrefixFile(kClassFiles, device_class);
}

const char* RequestListFile(std::string_view request) {
  return FirstPrefixFile(kRequestPrefixFiles, request);
}

}  // namespace dialogs
