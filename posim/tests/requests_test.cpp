// PosIoctl: the session's requests and those of every device class.
#include <cstring>

#include "posim/devices/codes.h"
#include "posim/tests/library_fixture.h"

namespace posim_test {
namespace {

using namespace posim;

std::uintptr_t Text(char* text) {
  return reinterpret_cast<std::uintptr_t>(text);
}

TEST_F(LibraryTest, AcquireReleaseLockAndUnlockFollowTheDeviceState) {
  const std::int32_t h[2] = {Open("DEVNAME", "PosScanner"), Open("DEVNAME", "PosScanner")};
  const struct {
    int who;
    std::int32_t request;
    std::int32_t status;
  } steps[] = {
      {0, kReqSysReleaseDevice, kSysNotAcquired},
      {0, kReqSysLockDevice, kSysNotAcquired},
      {0, kReqSysAcquireDevice, 0},
      {0, kReqSysAcquireDevice, kSysAlreadyAcquired},
      {1, kReqSysAcquireDevice, kSysAcquiredByOther},
      {1, kReqSysReleaseDevice, kSysAcquiredByOther},
      {1, kReqScanDiscardData, kSysAcquiredByOther},
      {0, kReqSysUnlockDevice, kSysCmdReject},
      {0, kReqSysLockDevice, 0},
      {0, kReqSysLockDevice, kSysCmdReject},
      {0, kReqSysUnlockDevice, 0},
      {0, kReqSysLockDevice, 0},
      {0, kReqSysReleaseDevice, 0},
      {1, kReqSysAcquireDevice, 0},
      {1, kReqSysReleaseDevice, 0},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    EXPECT_EQ(Ioctl(h[steps[i].who], steps[i].request), steps[i].status) << "step " << i;
  }
  EXPECT_EQ(Get(h[1], "acquired"), 0);
  EXPECT_EQ(Get(h[1], "locked"), 0) << "release unlocks";
}

TEST_F(LibraryTest, ALockedDeviceDeliversNoData) {
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  ASSERT_EQ(Control("scan 123"), "ok\n");
  ASSERT_EQ(Ioctl(scanner, kReqSysAcquireDevice), 0);
  ASSERT_EQ(Ioctl(scanner, kReqSysLockDevice), 0);
  EXPECT_EQ(Get(scanner, "locked"), 1);
  EXPECT_EQ(Read(scanner, 80).status, kSysLockedNoDataRead);
  ASSERT_EQ(Ioctl(scanner, kReqSysUnlockDevice), 0);
  EXPECT_EQ(Read(scanner, 80).bytes, "123");
}

TEST_F(LibraryTest, RequestsChangeWhatTheDeviceHolds) {
  const struct {
    const char* device_class;
    std::int32_t request;
    std::vector<ResourcePair> pairs;
    std::int32_t status;
    const char* value;  // then holds expected
    std::int64_t expected;
  } cases[] = {
      {"PosAlarm", kReqAlarmSoundAlarm, {{"toneDuration", 500}}, 0, "alarmSounding", 1},
      {"PosAlarm", kReqAlarmSoundAlarm, {{"toneVolume", 9}}, kSysOutOfBounds, "alarmSounding", 0},
      {"PosKeyboard",
       kReqKbdSoundTone,
       {{"toneFrequency", 50}},
       kKbdInvalidFrequency,
       "toneSounding",
       0},
      {"PosKeyboard", kReqKbdSoundTone, {{"toneFrequency", 880}}, 0, "toneFrequency", 880},
      {"PosKeyboard", kReqKbdSetNumLockOn, {}, 0, "numLock", 1},
      {"PosKeyboard", kReqKbdDisableNumLock, {}, 0, "numLockEnabled", 0},
      {"PosKeyboard", kReqKbdSetNumLockOn, {}, kSysCmdReject, "numLock", 0},
      {"PosKeyboard", kReqKbdDisableScrollLock, {}, 0, "scrollLockEnabled", 0},
      {"PosKeyboard", kReqKbdSetScrollLockOn, {}, kSysCmdReject, "scrollLock", 0},
      {"PosKeyboard", kReqKbdSetTypematicOff, {}, 0, "typematic", 0},
      {"PosKeyboard", kReqKbdDisablePosFunctions, {}, 0, "posFunctions", 0},
      {"PosPower", kReqPowerSetAlarm, {{"alarmHour", 24}}, kPowerInvalidHour, "alarmSet", 0},
      {"PosPower", kReqPowerSetAlarm, {{"alarmHour", 7}, {"alarmMinutes", 30}}, 0, "alarmSet", 1},
      {"PosPower", kReqPowerOff, {}, 0, "powerOn", 0},
      {"PosPrinter", kReqPrnDisableDiPrinting, {}, 0, "diPrinting", 0},
      {"PosPrinter", kReqPrnEnableFiscalPrinting, {}, 0, "fiscalPrinting", 1},
      {"PosPrinter", kReqPrnResetPrinter, {{"station", 2}}, 0, "station", 1},
      {"PosDrawer", kReqTillOpenTill, {{"pulseWidth", 5}}, kTillInvalidPulseWidth, "drawerOpen", 0},
      {"PosDrawer", kReqTillOpenTill, {{"pulseWidth", 80}}, 0, "openCount", 1},
      {"PosDrawer", kReqTillOpenTill, {{"drawerOpen", 1}}, kSysCmdReject, "drawerOpen", 0},
      {"PosTouch",
       kReqTouchSoundTone,
       {{"toneVolume", 4}},
       kTouchInvalidToneVolume,
       "toneSounding",
       0},
      {"PosTouch", kReqTouchSoundTone, {}, 0, "toneSounding", 1},
      {"PosScale",
       kReqScaleClearScreen,
       {{"remoteDisplayState", 0}},
       kScaleInvalidClearScreenRequest,
       "remoteDisplayState",
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.device_class) + " request " + std::to_string(c.request));
    ASSERT_EQ(term_(&context_), 0);
    ASSERT_EQ(Initialize(context_), 0);
    const std::int32_t handle = Open("DEVNAME", c.device_class);
    ASSERT_GT(handle, 0);
    if (c.request == kReqKbdSetNumLockOn && c.status != 0) Ioctl(handle, kReqKbdDisableNumLock);
    if (c.request == kReqKbdSetScrollLockOn && c.status != 0) {
      Ioctl(handle, kReqKbdDisableScrollLock);
    }
    EXPECT_EQ(Ioctl(handle, c.request, c.pairs), c.status);
    EXPECT_EQ(Get(handle, c.value), c.expected);
  }
}

TEST_F(LibraryTest, TheScaleZeroesOnlyASmallLoad) {
  const std::int32_t scale = Open("DEVNAME", "PosScale");
  ASSERT_EQ(Control("weigh 300"), "ok\n");
  EXPECT_EQ(Get(scale, "currentWeight"), 300);
  ASSERT_EQ(Ioctl(scale, kReqScaleZeroScale), 0);
  EXPECT_EQ(Get(scale, "currentWeight"), 0);
  ASSERT_EQ(Control("weigh 1300"), "ok\n");
  EXPECT_EQ(Get(scale, "currentWeight"), 1000);
  EXPECT_EQ(Ioctl(scale, kReqScaleZeroScale), kScaleZeroScaleFailed);
  ASSERT_EQ(Set(scale, "weightUnits", 1), 0);
  EXPECT_EQ(Get(scale, "currentWeight"), 220) << "1000 g in hundredths of a pound";
}

TEST_F(LibraryTest, RequestsPostTheEventsOfTheirDevice) {
  const struct {
    const char* device_class;
    std::int32_t request;
    std::uint32_t message;
  } cases[] = {
      {"PosDrawer", kReqTillOpenTill, kMsgTillOpened},
      {"PosRs232c", kReqRs232SendBreak, kMsgRs232BreakDetected},
      {"PosPrinter", kReqPrnResetPrinter, kMsgPrnStatusChange},
      {"PosScanner", kReqSysReleaseDevice, kMsgSysDeviceReleased},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.device_class);
    ClearPosts();
    const std::int32_t handle = Open("DEVNAME", c.device_class);
    if (c.request == kReqSysReleaseDevice) {
      ASSERT_EQ(Ioctl(handle, kReqSysAcquireDevice), 0);
    }
    ASSERT_EQ(Ioctl(handle, c.request), 0);
    const std::vector<Post> posts = WaitForPosts(1);
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].message, c.message);
    EXPECT_EQ(posts[0].wparam & 0xFF, static_cast<std::uintptr_t>(handle));
    EXPECT_EQ(posts[0].window, kWindow);
  }
}

TEST_F(LibraryTest, AHandleWithAWindowOfItsOwnGetsItsDeviceEvents) {
  const std::int32_t drawer = Open("DEVNAME", "PosDrawer", {{"queueHandle", kOtherWindow}});
  ASSERT_EQ(Ioctl(drawer, kReqTillOpenTill), 0);
  const std::vector<Post> posts = WaitForPosts(1);
  ASSERT_EQ(posts.size(), 1u);
  EXPECT_EQ(posts[0].window, kOtherWindow);
}

TEST_F(LibraryTest, GetValuesPutsNumbersAndTheAddressesOfTextsIntoThePairsOnly) {
  const std::int32_t display = Open("DEVNAME", "PosDisplay");
  ASSERT_EQ(Write(display, "Hello"), 0);
  // Whatever the pairs hold (a typed number, a read-only page on Windows, the
  // caller's own text), only their value fields are written.
  char callers[4] = "abc";
  std::vector<ResourcePair> pairs = {{"columns", 0xFFFFFFFF},     {"readTimeout", 0x7FFE0000},
                                     {"displayText", 0x7FFE0000}, {"displayText", Text(callers)},
                                     {"deviceNumber", 0},         {"terminalName", 100000},
                                     {"queueHandle", 0}};
  ASSERT_EQ(IoctlInPlace(display, kReqSysGetValues, pairs), 0);
  const auto text = [&](std::size_t i) {
    return std::string(reinterpret_cast<const char*>(pairs[i].value));
  };
  EXPECT_EQ(pairs[0].value, 20u);
  EXPECT_EQ(pairs[1].value, 0u);
  EXPECT_EQ(text(2), "Hello");
  EXPECT_EQ(text(3), "Hello");
  EXPECT_STREQ(callers, "abc");
  EXPECT_EQ(pairs[4].value, 0x24u);
  EXPECT_EQ(text(5), "LANE 1");
  EXPECT_EQ(pairs[6].value, kWindow);
}

TEST_F(LibraryTest, AHandedOutTextStaysUntilTheNextGetOfIt) {
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  const std::string label(64, '7');
  ASSERT_EQ(Control("scan " + label), "ok\n");
  ResourcePair pair = {"lastLabel", 0};
  std::int32_t out = 0;
  ASSERT_EQ(ioctl_(&context_, scanner, kReqSysGetValues, &pair, 1, &out), 0);
  const char* first = reinterpret_cast<const char*>(pair.value);
  EXPECT_EQ(std::string(first), label) << "whole";
  ASSERT_EQ(Control("scan 123"), "ok\n");
  EXPECT_EQ(std::string(first), label) << "a new label leaves the text handed out alone";
  EXPECT_EQ(GetText(scanner, "lastLabel"), "123");
}

TEST_F(LibraryTest, GetValuesRefusesBadPairsBeforeWritingAny) {
  const std::int32_t display = Open("DEVNAME", "PosDisplay");
  const struct {
    ResourcePair bad;
    std::int32_t status;
  } cases[] = {
      {{"noSuchValue", 0}, kSysInvalidName},
      {{"", 0}, kSysInvalidName},
      {{nullptr, 0}, kSysInvalidName},
  };
  for (const auto& c : cases) {
    std::vector<ResourcePair> pairs = {{"rows", 7}, c.bad};
    EXPECT_EQ(IoctlInPlace(display, kReqSysGetValues, pairs), c.status);
    EXPECT_EQ(pairs[0].value, 7u) << "the good pair is left alone";
  }
  std::int32_t out = 0;
  EXPECT_EQ(ioctl_(&context_, display, kReqSysGetValues, nullptr, 2, &out), kSysInvalidNargs);
  EXPECT_EQ(ioctl_(&context_, display, kReqSysGetValues, nullptr, -1, &out), kSysInvalidNargs);
}

TEST_F(LibraryTest, SetValuesStoresWhatALaterGetShows) {
  const std::int32_t printer = Open("DEVNAME", "PosPrinter");
  char name[] = "EXPRESS LANE";
  const struct {
    ResourcePair pair;
    std::int32_t status;
    const char* read_back;  // the value name read back
    std::int64_t expected;  // when it is a number
  } cases[] = {
      {{"diWidth", 40}, 0, "diWidth", 40},
      {{"diWidth", 0}, kPrnInvalidDiWidth, "diWidth", 40},
      {{"diWidth", 0xFFFFFFFF}, kPrnInvalidDiWidth, "diWidth", 40},
      {{"station", 4}, kPrnInvalidStation, "station", 1},
      {{"crLfDistance", 48}, 0, "crLfDistance", 48},
      {{"crLfDistance", 0x7FFE0000}, kPrnInvalidCrLfDistance, "crLfDistance", 48},
      {{"linesPrinted", 5}, kSysCmdReject, "linesPrinted", 0},
      {{"deviceNumber", 5}, kSysCmdReject, "deviceNumber", 0x35},
      {{"readTimeout", 50}, 0, "readTimeout", 50},
      {{"terminalName", 7}, kSysInvalidAddress, "terminalNumber", 1},
      {{"terminalName", Text(name)}, 0, "terminalNumber", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pair.name);
    EXPECT_EQ(Set(printer, c.pair.name, c.pair.value), c.status);
    EXPECT_EQ(Get(printer, c.read_back), c.expected);
  }
  EXPECT_EQ(GetText(printer, "terminalName"), "EXPRESS LANE");
  const std::int32_t rs232 = Open("DEVNAME", "PosRs232c");
  EXPECT_EQ(Set(rs232, "baudRate", 19200), 0);
  EXPECT_EQ(Set(rs232, "baudRate", 12345), kRs232InvalidBaudRate);
  EXPECT_EQ(Get(rs232, "baudRate"), 19200);
  std::vector<ResourcePair> mixed = {{"dataBits", 7}, {"parity", 9}};
  EXPECT_EQ(Ioctl(rs232, kReqSysSetValues, mixed), kRs232InvalidParity);
  EXPECT_EQ(Get(rs232, "dataBits"), 8) << "nothing is stored when one pair is refused";
}

}  // namespace
}  // namespace posim_test
