// The list files that the tool offers against the simulated terminal: every
// class opens, every resource name means something to its device, and every
// request acts on its own class only. Statuses are names of the code tables.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "codes/code_tables.h"
#include "posim/devices/codes.h"
#include "posim/devices/device_kinds.h"
#include "posim/devices/terminal.h"
#include "posim/tests/library_fixture.h"

namespace posim_test {
namespace {

using namespace posim;

std::vector<std::string> ListFile(const char* name) {
  std::ifstream in(std::string(LIST_FILE_DIR) + "/" + name);
  EXPECT_TRUE(in.is_open()) << name;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  EXPECT_FALSE(lines.empty()) << name;
  return lines;
}

// The name the API sees for a list-file name (the tool's four-character prefix rule).
std::string ApiName(const std::string& listed) {
  return listed == "PosNDIWidth" ? "diWidth"
                                 : listed.substr(std::min<std::size_t>(4, listed.size()));
}

const char* NameOf(codes::CodeNameTable table, std::int32_t code) {
  for (std::size_t i = 0; table[i].name != nullptr; ++i) {
    if (table[i].code == code) return table[i].name;
  }
  return nullptr;
}

std::int32_t CodeOf(codes::CodeNameTable table, const std::string& name) {
  for (std::size_t i = 0; table[i].name != nullptr; ++i) {
    if (name == table[i].name) return table[i].code;
  }
  ADD_FAILURE() << name << " is in no code table";
  return 0;
}

// Which device answers the names of each resource file.
constexpr struct {
  const char* file;
  const char* device_class;  // nullptr: the session (handle 0)
} kResourceFiles[] = {
    {"PSYSTEM.DAT", nullptr},       {"PDEVICE.DAT", "PosDevice"},  {"PALARM.DAT", "PosAlarm"},
    {"PDISPLAY.DAT", "PosDisplay"}, {"PDRAWER.DAT", "PosDrawer"},  {"PKEYBRD.DAT", "PosKeyboard"},
    {"PMSR.DAT", "PosMsr"},         {"PNVRAM.DAT", "PosNvram"},    {"PPOWER.DAT", "PosPower"},
    {"PPRINTER.DAT", "PosPrinter"}, {"PPOSRS23.DAT", "PosRs232c"}, {"PSCALE.DAT", "PosScale"},
    {"PSCANNER.DAT", "PosScanner"}, {"PTOUCH.DAT", "PosTouch"},
};

// What a SET of a value outside every range (0x7FFFFFFF, or a text of 99
// characters) answers for each writable resource of a list file: the name of
// the error, or nullptr when the value has no bounds (a window handle).
constexpr struct {
  const char* file;
  const char* name;
  const char* error;
} kOutOfRangeAnswers[] = {
    {"PSYSTEM.DAT", "queueHandle", nullptr},
    {"PSYSTEM.DAT", "readTimeout", "POSERR_SYS_OUT_OF_BOUNDS"},
    {"PSYSTEM.DAT", "terminalNumber", "POSERR_SYS_OUT_OF_BOUNDS"},
    {"PSYSTEM.DAT", "storeNumber", "POSERR_SYS_OUT_OF_BOUNDS"},
    {"PSYSTEM.DAT", "terminalName", "POSERR_SYS_INVALID_LENGTH"},
    {"PALARM.DAT", "toneFrequency", "POSERR_SYS_OUT_OF_BOUNDS"},
    {"PALARM.DAT", "toneDuration", "POSERR_SYS_OUT_OF_BOUNDS"},
    {"PALARM.DAT", "toneVolume", "POSERR_SYS_OUT_OF_BOUNDS"},
    {"PDISPLAY.DAT", "cursorRow", "POSERR_DSP_INVALID_CURSOR"},
    {"PDISPLAY.DAT", "cursorColumn", "POSERR_DSP_INVALID_CURSOR"},
    {"PDISPLAY.DAT", "cursorMode", "POSERR_DSP_INVALID_CURSOR"},
    {"PDISPLAY.DAT", "brightness", "POSERR_DSP_INVALID_MODE"},
    {"PDISPLAY.DAT", "displayMode", "POSERR_DSP_INVALID_MODE"},
    {"PDRAWER.DAT", "pulseWidth", "POSERR_TILL_INVALID_PULSE_WIDTH"},
    {"PKEYBRD.DAT", "keyboardClick", "POSERR_KBD_INVALID_KEYBOARD_CLICK"},
    {"PKEYBRD.DAT", "typematicDelay", "POSERR_KBD_INVALID_TYPEMATIC_DELAY"},
    {"PKEYBRD.DAT", "typematicFrequency", "POSERR_KBD_INVALID_TYPEMATIC_FREQ"},
    {"PKEYBRD.DAT", "toneFrequency", "POSERR_KBD_INVALID_FREQUENCY"},
    {"PKEYBRD.DAT", "toneDuration", "POSERR_KBD_INVALID_DURATION"},
    {"PKEYBRD.DAT", "toneVolume", "POSERR_KBD_INVALID_VOLUME"},
    {"PKEYBRD.DAT", "fatFingerTimeout", "POSERR_KBD_INVALID_FAT_FINGER_TIMEOUT"},
    {"PKEYBRD.DAT", "doubleKey", "POSERR_KBD_INVALID_DOUBLE_KEY"},
    {"PKEYBRD.DAT", "numpadStyle", "POSERR_KBD_INVALID_NUMPAD_STYLE"},
    {"PMSR.DAT", "tracksToRead", "POSERR_SYS_OUT_OF_BOUNDS"},
    {"PNVRAM.DAT", "cursor", "POSERR_NVRAM_INVALID_CURSOR"},
    {"PNVRAM.DAT", "accessMode", "POSERR_NVRAM_INVALID_MODE"},
    {"PPOWER.DAT", "alarmDay", "POSERR_POWER_INVALID_DAY"},
    {"PPOWER.DAT", "alarmHour", "POSERR_POWER_INVALID_HOUR"},
    {"PPOWER.DAT", "alarmMinutes", "POSERR_POWER_INVALID_MINUTES"},
    {"PPRINTER.DAT", "station", "POSERR_PRN_INVALID_STATION"},
    {"PPRINTER.DAT", "diWidth", "POSERR_PRN_INVALID_DI_WIDTH"},
    {"PPRINTER.DAT", "crLfDistance", "POSERR_PRN_INVALID_CR_LF_DISTANCE"},
    {"PPRINTER.DAT", "sjLfDistance", "POSERR_PRN_INVALID_SJ_LF_DISTANCE"},
    {"PPRINTER.DAT", "diLfDistance", "POSERR_PRN_INVALID_DI_LF_DISTANCE"},
    {"PPRINTER.DAT", "feedDirection", "POSERR_PRN_INVALID_FEED_DIRECTION"},
    {"PPRINTER.DAT", "headParkedPosition", "POSERR_PRN_INVALID_HEAD_PARKED_POSITION"},
    {"PPRINTER.DAT", "interleaved", "POSERR_PRN_INVALID_INTERLEAVED_VALUE"},
    {"PPRINTER.DAT", "printMode", "POSERR_PRN_INVALID_MODE"},
    {"PPRINTER.DAT", "chaseNotify", "POSERR_PRN_INVALID_MODE"},
    {"PPOSRS23.DAT", "baudRate", "POSERR_RS232_INVALID_BAUD_RATE"},
    {"PPOSRS23.DAT", "dataBits", "POSERR_RS232_INVALID_DATA_BITS"},
    {"PPOSRS23.DAT", "parity", "POSERR_RS232_INVALID_PARITY"},
    {"PPOSRS23.DAT", "stopBits", "POSERR_RS232_INVALID_STOP_BITS"},
    {"PPOSRS23.DAT", "timeoutChar", "POSERR_RS232_INVALID_TIMEOUT_CHAR"},
    {"PSCALE.DAT", "weightUnits", "POSERR_SCALE_CONFIGURATION_ERROR"},
    {"PSCALE.DAT", "weightMode", "POSERR_SCALE_INVALID_WEIGHT_MODE"},
    {"PSCALE.DAT", "operationsMode", "POSERR_SCALE_INVALID_OPERATIONS_MODE"},
    {"PSCALE.DAT", "vibrationFilter", "POSERR_SCALE_INVALID_VIBRATION_FILTER"},
    {"PSCALE.DAT", "remoteDisplayState", "POSERR_SCALE_INVALID_REMOTE_DISPLAY_STATE"},
    {"PSCALE.DAT", "zeroIndicatorState", "POSERR_SCALE_INVALID_ZERO_INDICATOR_STATE"},
    {"PSCALE.DAT", "zeroReturnState", "POSERR_SCALE_INVALID_ZERO_RETURN_STATE"},
    {"PSCANNER.DAT", "beepState", "POSERR_SCAN_INVALID_BEEP_STATE"},
    {"PSCANNER.DAT", "beepVolume", "POSERR_SCAN_INVALID_BEEP_VOLUME"},
    {"PSCANNER.DAT", "beepFrequency", "POSERR_SCAN_INVALID_BEEP_FREQ"},
    {"PSCANNER.DAT", "beepLength", "POSERR_SCAN_INVALID_BEEP_LENGTH"},
    {"PSCANNER.DAT", "laserTimeout", "POSERR_SCAN_INVALID_LASER_TIMEOUT"},
    {"PSCANNER.DAT", "motorTimeout", "POSERR_SCAN_INVALID_MOTOR_TIMEOUT"},
    {"PSCANNER.DAT", "scansPerRead", "POSERR_SCAN_INVALID_SCANS_PER_READ"},
    {"PSCANNER.DAT", "upcExpansion", "POSERR_SCAN_INVALID_UPC_EXPANSION"},
    {"PTOUCH.DAT", "contrast", "POSERR_TOUCH_INVALID_CONTRAST"},
    {"PTOUCH.DAT", "backlightOn", "POSERR_TOUCH_INVALID_BACKLIGHT_ON"},
    {"PTOUCH.DAT", "clickVolume", "POSERR_TOUCH_INVALID_CLICK_VOLUME"},
    {"PTOUCH.DAT", "entryClick", "POSERR_TOUCH_INVALID_ENTRY_CLICK"},
    {"PTOUCH.DAT", "exitClick", "POSERR_TOUCH_INVALID_EXIT_CLICK"},
    {"PTOUCH.DAT", "touchMode", "POSERR_TOUCH_INVALID_MODE"},
    {"PTOUCH.DAT", "screenSaverTime", "POSERR_TOUCH_INVALID_SCREEN_SAVER_TIME"},
    {"PTOUCH.DAT", "toneFrequency", "POSERR_TOUCH_INVALID_TONE_FREQUENCY"},
    {"PTOUCH.DAT", "toneDuration", "POSERR_TOUCH_INVALID_TONE_DURATION"},
    {"PTOUCH.DAT", "toneVolume", "POSERR_TOUCH_INVALID_TONE_VOLUME"},
};

const char* const* OutOfRangeAnswer(const std::string& file, const std::string& name) {
  for (const auto& a : kOutOfRangeAnswers)
    if (file == a.file && name == a.name) return &a.error;
  return nullptr;
}

// What each POS_SYS request without pairs answers on a device, in the order
// of PIOCTLRE.DAT: acquired and released again, the device cannot be locked
// or unlocked.
constexpr struct {
  const char* request;
  const char* error;
} kSysAnswers[] = {
    {"POS_SYS_GET_VALUES", nullptr},
    {"POS_SYS_SET_VALUES", nullptr},
    {"POS_SYS_ACQUIRE_DEVICE", nullptr},
    {"POS_SYS_RELEASE_DEVICE", nullptr},
    {"POS_SYS_LOCK_DEVICE", "POSERR_SYS_NOT_ACQUIRED"},
    {"POS_SYS_UNLOCK_DEVICE", "POSERR_SYS_NOT_ACQUIRED"},
};

// The status of an error name; 0 for none.
std::int32_t StatusOf(const char* error) {
  return error == nullptr ? 0 : CodeOf(codes::ErrorNames, error);
}

// The class of each request-name prefix; POS_SYS requests belong to every device.
constexpr struct {
  const char* prefix;
  const char* device_class;
} kRequestClasses[] = {
    {"POS_ALARM", "PosAlarm"}, {"POS_DSP", "PosDisplay"},  {"POS_KBD", "PosKeyboard"},
    {"POS_POWER", "PosPower"}, {"POS_PRN", "PosPrinter"},  {"POS_RS232", "PosRs232c"},
    {"POS_SCALE", "PosScale"}, {"POS_SCAN", "PosScanner"}, {"POS_TILL", "PosDrawer"},
    {"POS_TOUCH", "PosTouch"}, {"POS_SYS", nullptr},
};

class ListFileTest : public LibraryTest {
 protected:
  // GET, SET of the value read, and SET of a value out of every range.
  void CheckName(std::int32_t handle, const std::string& file, const std::string& name) {
    SCOPED_TRACE(name);
    std::int32_t out = 0;
    ResourcePair pair = {name.c_str(), 0};
    char text[100] = {};
    std::int32_t status = ioctl_(&context_, handle, kReqSysGetValues, &pair, 1, &out);
    ASSERT_EQ(status, 0) << "GET answers it";
    const ResourceRule* rule = FindResourceRule(name);
    ASSERT_NE(rule, nullptr);
    const bool is_text = rule->type == ValueType::kText;
    // A text comes as the address of the library's copy; the checks below use the caller's.
    if (is_text) {
      std::snprintf(text, sizeof text, "%s", reinterpret_cast<const char*>(pair.value));
      pair.value = reinterpret_cast<std::uintptr_t>(text);
    }
    const std::uintptr_t old_value = pair.value;
    const std::string old_text = text;

    status = ioctl_(&context_, handle, kReqSysSetValues, &pair, 1, &out);
    EXPECT_TRUE(status == 0 || status == kSysCmdReject) << "SET of its own value: " << status;
    if (status == kSysCmdReject) return;  // read-only

    const std::string long_text(99, '~');
    std::memcpy(text, long_text.c_str(), long_text.size() + 1);
    ResourcePair wild = {name.c_str(), is_text ? pair.value : 0x7FFFFFFF};
    status = ioctl_(&context_, handle, kReqSysSetValues, &wild, 1, &out);
    const char* const* answer = OutOfRangeAnswer(file, name);
    ASSERT_NE(answer, nullptr) << "a writable resource without its out-of-range answer";
    EXPECT_EQ(status, StatusOf(*answer)) << "SET out of range";
    if (status == 0) {  // a value without bounds (a window handle, a long text): put it back
      std::memcpy(text, old_text.c_str(), old_text.size() + 1);
      ResourcePair back = {name.c_str(), is_text ? pair.value : old_value};
      EXPECT_EQ(ioctl_(&context_, handle, kReqSysSetValues, &back, 1, &out), 0);
      return;
    }
    ResourcePair now = {name.c_str(), 0};
    ASSERT_EQ(ioctl_(&context_, handle, kReqSysGetValues, &now, 1, &out), 0);
    if (is_text) {
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(now.value)), old_text)
          << "a refused SET changes nothing";
    } else {
      EXPECT_EQ(now.value, old_value) << "a refused SET changes nothing";
    }
  }
};

TEST_F(ListFileTest, EveryListedClassOpensADevice) {
  for (const std::string& device_class : ListFile("PRESOURC.DAT")) {
    const std::int32_t handle = Open("DEVNAME", device_class.c_str());
    EXPECT_GT(handle, 0) << device_class;
    if (handle > 0) {
      EXPECT_EQ(close_(&context_, handle), 0);
    }
  }
}

TEST_F(ListFileTest, EveryListedResourceMeansSomethingToItsDevice) {
  for (const auto& f : kResourceFiles) {
    SCOPED_TRACE(f.file);
    const std::int32_t handle = f.device_class == nullptr ? 0 : Open("DEVNAME", f.device_class);
    ASSERT_GE(handle, 0);
    for (const std::string& listed : ListFile(f.file)) CheckName(handle, f.file, ApiName(listed));
  }
}

TEST_F(ListFileTest, DeviceLevelNamesAnswerOnEveryDevice) {
  for (const std::string& device_class : ListFile("PRESOURC.DAT")) {
    if (device_class == "PosSystem") continue;
    const std::int32_t handle = Open("DEVNAME", device_class.c_str());
    ASSERT_GT(handle, 0) << device_class;
    for (const std::string& listed : ListFile("PDEVICE.DAT")) {
      SCOPED_TRACE(device_class + " " + listed);
      EXPECT_EQ(Set(handle, ApiName(listed).c_str(), 0), kSysCmdReject) << "read-only";
    }
  }
}

TEST_F(ListFileTest, EveryListedRequestActsOnItsOwnClassOnly) {
  const std::vector<std::string> classes = ListFile("PRESOURC.DAT");
  for (const std::string& device_class : classes) {
    SCOPED_TRACE(device_class);
    const bool session = device_class == "PosSystem";
    const std::int32_t handle = Open("DEVNAME", device_class.c_str());
    ASSERT_GT(handle, 0);
    const std::string own_class = device_class == "PosDevice" ? "PosKeyboard" : device_class;
    for (const std::string& request : ListFile("PIOCTLRE.DAT")) {
      SCOPED_TRACE(request);
      const char* request_class = nullptr;
      for (const auto& r : kRequestClasses) {
        if (request.starts_with(r.prefix)) request_class = r.device_class;
      }
      const std::int32_t code = CodeOf(codes::RequestNames, request);
      const std::int32_t status = Ioctl(handle, code);
      const bool sys = request.starts_with("POS_SYS");
      if (session) {
        const bool values = code == kReqSysGetValues || code == kReqSysSetValues;
        EXPECT_EQ(status, values ? 0 : kSysInvalidRequest);
        EXPECT_EQ(Ioctl(0, code), values ? 0 : kSysInvalidRequest) << "handle 0";
      } else if (sys) {
        const auto* answer = std::find_if(std::begin(kSysAnswers), std::end(kSysAnswers),
                                          [&](const auto& a) { return request == a.request; });
        ASSERT_NE(answer, std::end(kSysAnswers)) << "a POS_SYS request without its answer";
        EXPECT_EQ(status, StatusOf(answer->error));
      } else {
        EXPECT_EQ(status, own_class == request_class ? 0 : kSysInvalidRequest);
      }
    }
    EXPECT_EQ(Ioctl(handle, 9999), kSysInvalidRequest) << "a code of no request";
  }
}

TEST_F(ListFileTest, TheDefaultTerminalSpeaksTheCodeTables) {
  for (const DeviceConfig& d : DefaultTerminal()) {
    SCOPED_TRACE(d.name);
    EXPECT_NE(NameOf(codes::DeviceNames, d.number), nullptr);
    EXPECT_NE(NameOf(codes::ClassNames, d.class_code), nullptr);
    EXPECT_NE(NameOf(codes::SlotNames, d.slot), nullptr);
    EXPECT_NE(NameOf(codes::PortNames, d.port), nullptr);
    if (d.subtype != 0) {
      EXPECT_NE(NameOf(codes::SubtypeNames, d.number * 256 + d.subtype), nullptr);
    }
  }
}

}  // namespace
}  // namespace posim_test
