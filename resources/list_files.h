// The sixteen list files beside the program: one name per line, filling the
// dialogs' combo boxes. Start-up, the dialogs and the prefix tables name them
// from here.
#pragma once

#include <array>

namespace res {

inline constexpr const char* kClassListFile = "PRESOURC.DAT";    // device classes
inline constexpr const char* kRequestListFile = "PIOCTLRE.DAT";  // request names
inline constexpr const char* kSystemListFile = "PSYSTEM.DAT";
inline constexpr const char* kDeviceListFile = "PDEVICE.DAT";
inline constexpr const char* kAlarmListFile = "PALARM.DAT";
inline constexpr const char* kDisplayListFile = "PDISPLAY.DAT";
inline constexpr const char* kDrawerListFile = "PDRAWER.DAT";
inline constexpr const char* kKeyboardListFile = "PKEYBRD.DAT";
inline constexpr const char* kMsrListFile = "PMSR.DAT";
inline constexpr const char* kNvramListFile = "PNVRAM.DAT";
inline constexpr const char* kPowerListFile = "PPOWER.DAT";
inline constexpr const char* kPrinterListFile = "PPRINTER.DAT";
inline constexpr const char* kRs232ListFile = "PPOSRS23.DAT";
inline constexpr const char* kScaleListFile = "PSCALE.DAT";
inline constexpr const char* kScannerListFile = "PSCANNER.DAT";
inline constexpr const char* kTouchListFile = "PTOUCH.DAT";

// All sixteen, in the order start-up checks them.
inline constexpr std::array<const char*, 16> kListFiles{
    kClassListFile, kRequestListFile, kSystemListFile,  kDeviceListFile,
    kAlarmListFile, kDisplayListFile, kDrawerListFile,  kKeyboardListFile,
    kMsrListFile,   kNvramListFile,   kPowerListFile,   kPrinterListFile,
    kRs232ListFile, kScaleListFile,   kScannerListFile, kTouchListFile};

}  // namespace res
