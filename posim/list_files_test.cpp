// The list files that the tool offers against the simulated terminal: every
// class opens, every resource name means something to its device, and every
// request acts on its own class only. Statuses are names of the code tables.
#include <cstring>
#include <fstream>
#include <string>

#include "names/code_tables.h"
#include "posim/codes.h"
#include "posim/library_fixture.h"
#include "posim/terminal.h"

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

const char* NameOf(names::CodeNameTable table, std::int32_t code) {
  for (std::size_t i = 0; table[i].name != nullptr; ++i) {
    if (table[i].code == code) return table[i].name;
  }
  return nullptr;
}

std::int32_t CodeOf(names::CodeNameTable table, const std::string& name) {
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
  // A status the tool can name, or success.
  static void ExpectNamed(std::int32_t status, const std::string& what) {
    EXPECT_TRUE(status == 0 || NameOf(names::ErrorNames, status) != nullptr)
        << what << ": status " << status << " has no POSERR_ name";
  }

  // GET, SET of the value read, and SET of a value out of every range.
  void CheckName(std::int32_t handle, const std::string& name) {
    SCOPED_TRACE(name);
    std::int32_t out = 0;
    ResourcePair pair = {name.c_str(), 0};
    char text[100] = {};
    std::int32_t status = ioctl_(&context_, handle, kReqSysGetValues, &pair, 1, &out);
    const bool is_text = status == kSysInvalidAddress;
    if (is_text) {
      pair.value = reinterpret_cast<std::uintptr_t>(text);
      status = ioctl_(&context_, handle, kReqSysGetValues, &pair, 1, &out);
    }
    ASSERT_EQ(status, 0) << "GET answers it";
    const std::uintptr_t old_value = pair.value;
    const std::string old_text = text;

    status = ioctl_(&context_, handle, kReqSysSetValues, &pair, 1, &out);
    EXPECT_TRUE(status == 0 || status == kSysCmdReject) << "SET of its own value: " << status;
    if (status == kSysCmdReject) return;  // read-only

    const std::string long_text(99, '~');
    std::memcpy(text, long_text.c_str(), long_text.size() + 1);
    ResourcePair wild = {name.c_str(), is_text ? pair.value : 0x7FFFFFFF};
    status = ioctl_(&context_, handle, kReqSysSetValues, &wild, 1, &out);
    ExpectNamed(status, "SET out of range");
    if (status == 0) {  // a value without bounds (a window handle, a long text): put it back
      std::memcpy(text, old_text.c_str(), old_text.size() + 1);
      ResourcePair back = {name.c_str(), is_text ? pair.value : old_value};
      EXPECT_EQ(ioctl_(&context_, handle, kReqSysSetValues, &back, 1, &out), 0);
      return;
    }
    std::memset(text, 0, sizeof text);
    ResourcePair now = {name.c_str(), is_text ? reinterpret_cast<std::uintptr_t>(text) : 0};
    ASSERT_EQ(ioctl_(&context_, handle, kReqSysGetValues, &now, 1, &out), 0);
    if (is_text) {
      EXPECT_EQ(std::string(text), old_text) << "a refused SET changes nothing";
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
    for (const std::string& listed : ListFile(f.file)) CheckName(handle, ApiName(listed));
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
      const std::int32_t code = CodeOf(names::RequestNames, request);
      const std::int32_t status = Ioctl(handle, code);
      const bool sys = request.starts_with("POS_SYS");
      if (session) {
        const bool values = code == kReqSysGetValues || code == kReqSysSetValues;
        EXPECT_EQ(status, values ? 0 : kSysInvalidRequest);
        EXPECT_EQ(Ioctl(0, code), values ? 0 : kSysInvalidRequest) << "handle 0";
      } else if (sys) {
        EXPECT_NE(status, kSysInvalidRequest);
        ExpectNamed(status, request);
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
    EXPECT_NE(NameOf(names::DeviceNames, d.number), nullptr);
    EXPECT_NE(NameOf(names::ClassNames, d.class_code), nullptr);
    EXPECT_NE(NameOf(names::SlotNames, d.slot), nullptr);
    EXPECT_NE(NameOf(names::PortNames, d.port), nullptr);
    if (d.subtype != 0) {
      EXPECT_NE(NameOf(names::SubtypeNames, d.number * 256 + d.subtype), nullptr);
    }
  }
}

}  // namespace
}  // namespace posim_test
