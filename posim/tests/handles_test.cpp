// Opening and closing devices.
#include "posim/devices/codes.h"
#include "posim/tests/library_fixture.h"

namespace posim_test {
namespace {

using namespace posim;

TEST_F(LibraryTest, OpenFindsDevicesByNameAndClass) {
  const struct {
    const char* name;
    const char* device_class;
    std::vector<ResourcePair> pairs;
    std::int32_t status;         // 0: opened
    std::int64_t device_number;  // of the opened device
  } cases[] = {
      {"DEVNAME", "PosDisplay", {}, 0, 0x24},
      {"devname", "posdisplay", {}, 0, 0x24},
      {"DISPLAY2", "PosDisplay", {}, 0, 0x26},
      {"DEVNAME", "PosPrinter", {}, 0, 0x35},
      {"DEVNAME", "PosScanner", {}, 0, 0x4A},
      {"DEVNAME", "PosScale", {}, 0, 0x6E},
      {"DEVNAME", "PosMsr", {}, 0, 0x48},
      {"DEVNAME", "PosKeyboard", {}, 0, 0x1C},
      {"DEVNAME", "PosDrawer", {}, 0, 0x54},
      {"DEVNAME", "PosNvram", {}, 0, 0x50},
      {"DEVNAME", "PosPower", {}, 0, 0x87},
      {"DEVNAME", "PosRs232c", {}, 0, 0x66},
      {"DEVNAME", "PosTouch", {}, 0, 0x5C},
      {"DEVNAME", "PosAlarm", {}, 0, 0x84},
      {"DEVNAME", "PosDevice", {}, 0, 0x1C},
      {"DEVNAME", "PosDevice", {{"deviceNumber", 0x4A}}, 0, 0x4A},
      {"DEVNAME", "PosDevice", {{"slot", 2}, {"port", 0x11}}, 0, 0x6E},
      {"DEVNAME", "PosDisplay", {{"slot", 1}}, 0, 0x26},
      {"SCANNER1", "PosDevice", {}, 0, 0x4A},
      {"DEVNAME", "PosDevice", {{"deviceClass", kClassScale}}, 0, 0x6E},
      {"DEVNAME", "PosDevice", {{"deviceNumber", 0x4A}}, 0, 0x4A},
      {"DISPLAY1", "PosDevice", {{"deviceClass", kClassPrinter}}, kSysInvalidClassDeviceCombo, 0},
      {"DEVNAME", "PosDevice", {{"deviceNumber", 0x99}}, kSysInvalidDevice, 0},
      {"DEVNAME", "PosDisplay", {{"slot", 8}}, kSysInvalidSlot, 0},
      {"DEVNAME", "PosDisplay", {{"port", 0x00}}, kSysInvalidPort, 0},
      {"NOSUCH", "PosDisplay", {}, kSysInvalidName, 0},
      {"", "PosDisplay", {}, kSysInvalidName, 0},
      {"SCANNER1", "PosDisplay", {}, kSysInvalidClassDeviceCombo, 0},
      {"DEVNAME", "PosBogus", {}, kSysInvalidClass, 0},
      {"DEVNAME", "PosDisplayX", {}, kSysInvalidClass, 0},
      {"DEVNAME", "PosDisplay", {{"cursorRow", 5}}, kDspInvalidCursor, 0},
      {"DEVNAME", "PosDisplay", {{"rows", 4}}, kSysCmdReject, 0},
      {"DEVNAME", "PosDisplay", {{"noSuchValue", 4}}, kSysInvalidName, 0},
      {"DEVNAME", "PosPrinter", {{"diWidth", 40}, {"queueHandle", kWindow}}, 0, 0x35},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.device_class);
    const std::int32_t handle = Open(c.name, c.device_class, c.pairs);
    if (c.status != 0) {
      EXPECT_EQ(handle, -c.status);
      continue;
    }
    ASSERT_GT(handle, 0);
    EXPECT_EQ(Get(handle, "deviceNumber"), c.device_number);
    EXPECT_EQ(close_(&context_, handle), 0);
  }
}

TEST_F(LibraryTest, OpenTakesTheValuesItIsGiven) {
  const std::int32_t printer = Open("DEVNAME", "PosPrinter", {{"diWidth", 40}});
  ASSERT_GT(printer, 0);
  EXPECT_EQ(Get(printer, "diWidth"), 40);
}

TEST_F(LibraryTest, HandlesAreDistinctAndCloseOnlyOnce) {
  const std::int32_t a = Open("DEVNAME", "PosDisplay");
  const std::int32_t b = Open("DEVNAME", "PosDisplay");
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  EXPECT_NE(a, b);
  EXPECT_EQ(close_(&context_, a), 0);
  EXPECT_EQ(close_(&context_, a), kSysInvalidDescriptor);
  EXPECT_EQ(close_(&context_, 999), kSysInvalidDescriptor);
  EXPECT_EQ(close_(&context_, 0), kSysFunctionNotSupported);
  EXPECT_EQ(Write(a, "x"), kSysInvalidDescriptor);
  EXPECT_EQ(Ioctl(a, kReqSysGetValues), kSysInvalidDescriptor);
  EXPECT_EQ(Read(a, 16).status, kSysInvalidDescriptor);
  EXPECT_EQ(Write(b, "x"), 0);
}

TEST_F(LibraryTest, HandleNumbersFitAByteAndAnOpenOneIsNeverGivenTwice) {
  const std::int32_t kept = Open("DEVNAME", "PosDrawer");
  ASSERT_EQ(kept, 1);
  for (int i = 0; i < 600; ++i) {
    const std::int32_t handle = Open("DEVNAME", "PosAlarm");
    ASSERT_GE(handle, 2) << "round " << i;
    ASSERT_LE(handle, 255) << "round " << i;
    ASSERT_EQ(close_(&context_, handle), 0);
  }
  EXPECT_EQ(Get(kept, "deviceNumber"), 0x54) << "still the drawer";
}

TEST_F(LibraryTest, OpenRefusesTooManyHandlesAndOfflineDevices) {
  std::int32_t last = 0;
  for (int i = 0; i < 64; ++i) last = Open("DEVNAME", "PosAlarm");
  EXPECT_GT(last, 0);
  EXPECT_EQ(Open("DEVNAME", "PosAlarm"), -kSysTooManyDevices);
  ASSERT_EQ(close_(&context_, last), 0);
  EXPECT_GT(Open("DEVNAME", "PosAlarm"), 0);

  EXPECT_EQ(Control("offline SCANNER1"), "ok\n");
  EXPECT_EQ(Open("SCANNER1", "PosScanner"), -kSysDeviceOffline);
  EXPECT_EQ(Control("online SCANNER1"), "ok\n");
}

TEST_F(LibraryTest, ASessionHandleAnswersSystemValues) {
  const std::int32_t system = Open("DEVNAME", "PosSystem", {{"terminalNumber", 42}});
  ASSERT_GT(system, 0);
  EXPECT_EQ(Get(system, "terminalNumber"), 42);
  EXPECT_EQ(Get(0, "terminalNumber"), 42) << "handle 0 is the session too";
  EXPECT_EQ(Ioctl(system, kReqSysAcquireDevice), kSysInvalidRequest);
  EXPECT_EQ(Read(system, 16).status, kSysFunctionNotSupported);
  EXPECT_EQ(Write(system, "x"), kSysFunctionNotSupported);
  EXPECT_EQ(Open("OTHER", "PosSystem"), -kSysInvalidName);
}

TEST_F(LibraryTest, ClosingAnAcquiringHandleReleasesTheDevice) {
  const std::int32_t a = Open("DEVNAME", "PosDrawer");
  const std::int32_t b = Open("DEVNAME", "PosDrawer");
  ASSERT_EQ(Ioctl(a, kReqSysAcquireDevice), 0);
  EXPECT_EQ(Ioctl(b, kReqTillOpenTill), kSysAcquiredByOther);
  ClearPosts();
  ASSERT_EQ(close_(&context_, a), 0);
  const std::vector<Post> posts = WaitForPosts(1);
  ASSERT_EQ(posts.size(), 1u);
  EXPECT_EQ(posts[0].message, kMsgSysDeviceReleased) << "as after POS_SYS_RELEASE_DEVICE";
  EXPECT_EQ(posts[0].wparam, static_cast<std::uintptr_t>(b)) << "told to the handle left";
  EXPECT_EQ(Get(b, "acquired"), 0);
  EXPECT_EQ(Ioctl(b, kReqTillOpenTill), 0);
  const std::string queued = Control("show events");
  ASSERT_EQ(close_(&context_, b), 0);
  EXPECT_EQ(Control("show events"), queued) << "closing a handle that held nothing tells nothing";
}

TEST_F(LibraryTest, ADeviceThatWentOffLineCanStillBeReleased) {
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  ASSERT_EQ(Ioctl(scanner, kReqSysAcquireDevice), 0);
  ASSERT_EQ(Ioctl(scanner, kReqSysLockDevice), 0);
  ASSERT_EQ(Control("offline scanner"), "ok\n");
  const struct {
    std::int32_t request;
    std::int32_t status;
  } steps[] = {
      {kReqSysUnlockDevice, kSysDeviceOffline},
      {kReqSysReleaseDevice, 0},
      {kReqSysReleaseDevice, kSysNotAcquired},
      {kReqSysAcquireDevice, kSysDeviceOffline},
  };
  for (const auto& step : steps) EXPECT_EQ(Ioctl(scanner, step.request), step.status);
  EXPECT_EQ(Get(scanner, "acquired"), 0);
  EXPECT_EQ(Get(scanner, "locked"), 0);
}

}  // namespace
}  // namespace posim_test
