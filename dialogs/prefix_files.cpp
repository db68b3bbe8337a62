#include "dialogs/prefix_files.h"

#include <span>

namespace dialogs {

namespace {

struct PrefixFile {
  std::string_view prefix;
  const char* file;
};

constexpr PrefixFile kClassFiles[] = {
    {"PosSystem", "PSYSTEM.DAT"},   {"PosDevice", "PDEVICE.DAT"},  {"PosAlarm", "PALARM.DAT"},
    {"PosDisplay", "PDISPLAY.DAT"}, {"PosDrawer", "PDRAWER.DAT"},  {"PosKeyboard", "PKEYBRD.DAT"},
    {"PosMsr", "PMSR.DAT"},         {"PosNvram", "PNVRAM.DAT"},    {"PosPower", "PPOWER.DAT"},
    {"PosPrinter", "PPRINTER.DAT"}, {"PosRs232c", "PPOSRS23.DAT"}, {"PosScale", "PSCALE.DAT"},
    {"PosScanner", "PSCANNER.DAT"}, {"PosTouch", "PTOUCH.DAT"},
};

constexpr PrefixFile kRequestPrefixFiles[] = {
    {"POS_ALARM", "PALARM.DAT"}, {"POS_DSP", "PDISPLAY.DAT"},  {"POS_KBD", "PKEYBRD.DAT"},
    {"POS_POWER", "PPOWER.DAT"}, {"POS_PRN", "PPRINTER.DAT"},  {"POS_RS232", "PPOSRS23.DAT"},
    {"POS_SCALE", "PSCALE.DAT"}, {"POS_SCAN", "PSCANNER.DAT"}, {"POS_SYS", "PSYSTEM.DAT"},
    {"POS_TILL", "PDRAWER.DAT"}, {"POS_TOUCH", "PTOUCH.DAT"},
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
