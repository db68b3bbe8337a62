// PosRead and PosWrite on every kind of device and on the event queue.

#include "posim/devices/codes.h"
#include "posim/tests/library_fixture.h"

namespace posim_test {
namespace {

using namespace posim;

TEST_F(LibraryTest, ReadsDeliverWhatWasFedOrAClearStatus) {
  const struct {
    const char* device_class;
    const char* feed;  // control command, nullptr for none
    std::int32_t size;
    std::int32_t status;
    std::string bytes;
  } cases[] = {
      {"PosScanner", nullptr, 80, kSysTimeout, ""},
      {"PosScanner", "scan 4006381333931", 80, 0, "4006381333931"},
      {"PosScanner", "scan 4006381333931", 12, kSysBufferTooSmall, ""},
      {"PosScanner", "scan 4006381333931", 0, kSysBufferTooSmall, ""},
      {"PosMsr", "swipe %B4111^DOE/J^2512? ;4111=2512? -", 80, 0,
       "%B4111^DOE/J^2512?\r;4111=2512?\r"},
      {"PosMsr", "swipe %B4111? ;4111?", 5, kSysBufferTooSmall, ""},
      {"PosMsr", nullptr, 80, kSysTimeout, ""},
      {"PosKeyboard", "key 0x1e a", 80, 0,
       std::string("\x1e"
                   "a",
                   2)},
      {"PosKeyboard", "type ab", 3, 0,
       std::string("\x1e"
                   "a",
                   2)},
      {"PosKeyboard", "type ab", 1, kSysBufferTooSmall, ""},
      {"PosTouch", "touch 300 2", 80, 0, std::string("\x2c\x01\x02\x00", 4)},
      {"PosScale", "weigh 1250", 80, 0, std::string("\0\0\1\0\xe2\x04\0\0", 8)},
      {"PosScale", nullptr, 8, 0, std::string("\0\0\3\0\0\0\0\0", 8)},
      {"PosScale", "weigh -20", 8, 0, std::string("\0\0\5\0\xec\xff\xff\xff", 8)},
      {"PosScale", nullptr, 7, kSysBufferTooSmall, ""},
      {"PosNvram", nullptr, 80, kNvramEof, ""},
      {"PosRs232c", nullptr, 80, kSysTimeout, ""},
      {"PosDisplay", nullptr, 80, kSysFunctionNotSupported, ""},
      {"PosPrinter", nullptr, 80, kSysFunctionNotSupported, ""},
      {"PosDrawer", nullptr, 80, kSysFunctionNotSupported, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.device_class) + " " + (c.feed ? c.feed : "-"));
    ASSERT_EQ(term_(&context_), 0);
    ASSERT_EQ(Initialize(context_), 0);
    const std::int32_t handle = Open("DEVNAME", c.device_class);
    ASSERT_GT(handle, 0);
    if (c.feed != nullptr) {
      ASSERT_EQ(Control(c.feed), "ok\n");
    }
    const ReadResult read = Read(handle, c.size);
    EXPECT_EQ(read.status, c.status);
    EXPECT_EQ(read.bytes, c.bytes);
  }
}

TEST_F(LibraryTest, ItemsThatDoNotFitStayQueued) {
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  ASSERT_EQ(Control("scan 111"), "ok\n");
  ASSERT_EQ(Control("scan 22222"), "ok\n");
  EXPECT_EQ(Read(scanner, 80).bytes, "111") << "one label a read";
  EXPECT_EQ(Read(scanner, 4).status, kSysBufferTooSmall);
  EXPECT_EQ(Read(scanner, 5).bytes, "22222");
  EXPECT_EQ(Get(scanner, "labelCount"), 2);
  EXPECT_EQ(GetText(scanner, "lastLabel"), "22222");
  ASSERT_EQ(Control("scan 333"), "ok\n");
  ASSERT_EQ(Ioctl(scanner, kReqScanDiscardData), 0);
  EXPECT_EQ(Read(scanner, 80).status, kSysTimeout);
}

TEST_F(LibraryTest, FeedsPostTheirDevicesEvents) {
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  const std::int32_t keyboard = Open("DEVNAME", "PosKeyboard");
  ASSERT_GT(keyboard, 0);
  const struct {
    const char* feed;
    std::uint32_t message;
    std::uintptr_t wparam;
    std::intptr_t lparam;
  } cases[] = {
      {"scan 4006381333931", kMsgScanDataAvail, static_cast<std::uintptr_t>(scanner), 13},
      {"swipe ;4111=2512?", kMsgMsrDataAvail, 0, 12},
      {"keylock 2", kMsgKbdStatusChange, static_cast<std::uintptr_t>(keyboard), 2},
      {"touch 1 2", kMsgTouchData, 0, 0x20001},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.feed);
    ClearPosts();
    ASSERT_EQ(Control(c.feed), "ok\n");
    const std::vector<Post> posts = WaitForPosts(1);
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].message, c.message);
    EXPECT_EQ(posts[0].wparam, c.wparam);
    EXPECT_EQ(posts[0].lparam, c.lparam);
  }
  ClearPosts();
  ASSERT_EQ(Control("key 0x1e"), "ok\n");
  const std::vector<Post> keys = WaitForPosts(2);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].lparam, 0x1e) << "key down";
  EXPECT_EQ(keys[1].lparam, 0x1e | 0x40000) << "key up";
}

TEST_F(LibraryTest, WritesLandOnTheDevice) {
  const std::int32_t display = Open("DEVNAME", "PosDisplay");
  ASSERT_EQ(Write(display, "Hello\r\n"), 0);
  EXPECT_EQ(Output("display"), "Hello");
  ASSERT_EQ(Write(display, "World"), 0);
  EXPECT_EQ(Output("DISPLAY1"), "Hello\nWorld");
  ASSERT_EQ(Write(display, "\r\nAgain"), 0);
  EXPECT_EQ(Output("display"), "Again\nWorld") << "past the last row: from the top";
  ASSERT_EQ(Ioctl(display, kReqDspClearScreen), 0);
  EXPECT_EQ(Output("display"), "");
  ASSERT_EQ(Set(display, "displayMode", 1), 0);
  ASSERT_EQ(Write(display, "1\r\n2\r\n3"), 0);
  EXPECT_EQ(Output("display"), "2\n3") << "scrolled";
  ASSERT_EQ(Write(display, "\f" + std::string(25, 'x')), 0);
  EXPECT_EQ(Output("display"), std::string(20, 'x') + "\nxxxxx") << "wraps at 20 columns";
  EXPECT_EQ(Write(display, ""), 0);

  const std::int32_t printer = Open("DEVNAME", "PosPrinter");
  ASSERT_EQ(Write(printer, "TOTAL  4.99\r\nTHANK YOU\n"), 0);
  ASSERT_EQ(Write(printer, "no line end"), 0);
  EXPECT_EQ(Output("printer"), "TOTAL  4.99\nTHANK YOU\nno line end");
  EXPECT_EQ(Get(printer, "linesPrinted"), 3);
}

TEST_F(LibraryTest, ThePrinterTellsWhenAChaseIsComplete) {
  const std::int32_t printer = Open("DEVNAME", "PosPrinter");
  ASSERT_EQ(Write(printer, "quiet\n"), 0);
  ASSERT_EQ(Set(printer, "chaseNotify", 1), 0);
  ASSERT_EQ(Write(printer, "chased\n"), 0);
  const std::vector<Post> posts = WaitForPosts(1);
  ASSERT_EQ(posts.size(), 1u);
  EXPECT_EQ(posts[0].message, kMsgPrnChaseComplete);
  EXPECT_EQ(posts[0].wparam, static_cast<std::uintptr_t>(printer));
  ASSERT_EQ(Set(printer, "station", 3), 0);
  ASSERT_EQ(Ioctl(printer, kReqPrnDisableDiPrinting), 0);
  EXPECT_EQ(Write(printer, "slip\n"), kPrnInvalidStation);
}

TEST_F(LibraryTest, APrinterOutOfPaperPrintsNothingUntilThePaperIsBack) {
  const std::int32_t printer = Open("DEVNAME", "PosPrinter");
  ClearPosts();
  ASSERT_EQ(Control("paper out"), "ok\n");
  std::vector<Post> posts = WaitForPosts(1);
  ASSERT_EQ(posts.size(), 1u);
  EXPECT_EQ(posts[0].message, kMsgPrnPrinterError);
  EXPECT_EQ(posts[0].wparam, static_cast<std::uintptr_t>(printer));
  EXPECT_EQ(posts[0].lparam, kSysHwError) << "what printing gives meanwhile";
  const struct {
    const char* step;  // a control command, or "write", or a request
    std::int32_t request;
    std::int32_t status;
    const char* reply;  // of the control command
  } steps[] = {
      {"write", 0, kSysHwError, nullptr},
      {"request", kReqPrnResumePrinting, kSysHwError, nullptr},
      {"request", kReqPrnRetryPrinting, kSysHwError, nullptr},
      {"request", kReqPrnResetPrinter, 0, nullptr},
      {"write", 0, kSysHwError, nullptr},
      {"paper out", 0, 0, "error: status 322: PRINTER1 is out of paper already\n"},
      {"paper", 0, 0, "error: usage: paper out|in\n"},
      {"paper in", 0, 0, "ok\n"},
      {"paper in", 0, 0, "error: status 322: PRINTER1 has paper already\n"},
      {"write", 0, 0, nullptr},
      {"request", kReqPrnResumePrinting, 0, nullptr},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step + std::string(" ") + std::to_string(s.request));
    if (s.reply != nullptr) {
      EXPECT_EQ(Control(s.step), s.reply);
    } else if (s.request == 0) {
      EXPECT_EQ(Write(printer, "RECEIPT\n"), s.status);
    } else {
      EXPECT_EQ(Ioctl(printer, s.request), s.status);
    }
  }
  EXPECT_EQ(Output("printer"), "RECEIPT") << "only the write after the paper came back";
  EXPECT_EQ(Get(printer, "paperOut"), 0);
}

TEST_F(LibraryTest, NvramKeepsItsBytes) {
  const std::int32_t nvram = Open("DEVNAME", "PosNvram");
  const std::string bytes("ab\0cd", 5);
  ASSERT_EQ(Write(nvram, bytes), 0);
  ASSERT_EQ(Write(nvram, "ef"), 0);
  EXPECT_EQ(Get(nvram, "bytesUsed"), 7);
  EXPECT_EQ(Read(nvram, 0).status, kSysBufferTooSmall) << "never a success with no bytes";
  EXPECT_EQ(Read(nvram, 3).bytes, std::string("ab\0", 3));
  EXPECT_EQ(Read(nvram, 80).bytes, "cdef");
  EXPECT_EQ(Read(nvram, 80).status, kNvramEof);
  ASSERT_EQ(Set(nvram, "cursor", 1), 0);
  ASSERT_EQ(Set(nvram, "accessMode", 1), 0);
  ASSERT_EQ(Write(nvram, "XY"), 0);
  ASSERT_EQ(Set(nvram, "cursor", 0), 0);
  EXPECT_EQ(Read(nvram, 80).bytes, std::string("aXYcdef"));
  EXPECT_EQ(Output("nvram"), "aXYcdef");
  ASSERT_EQ(Set(nvram, "cursor", 8190), 0);
  EXPECT_EQ(Write(nvram, "xyz"), kNvramNotEnoughRoom);
  EXPECT_EQ(Set(nvram, "cursor", 8193), kNvramInvalidCursor);
}

TEST_F(LibraryTest, Rs232LoopsWrittenBytesBack) {
  const std::int32_t port = Open("DEVNAME", "PosRs232c");
  ASSERT_EQ(Write(port, "ATZ\r"), 0);
  const std::vector<Post> posts = WaitForPosts(2);
  ASSERT_EQ(posts.size(), 2u);
  EXPECT_EQ(posts[0].message, kMsgRs232XmitComplete);
  EXPECT_EQ(posts[1].message, kMsgRs232DataAvail);
  EXPECT_EQ(posts[1].lparam, 4);
  EXPECT_EQ(Output("rs232"), "ATZ\\x0D");
  EXPECT_EQ(Read(port, 0).status, kSysBufferTooSmall);
  EXPECT_EQ(Read(port, 2).bytes, "AT");
  EXPECT_EQ(Read(port, 80).bytes, "Z\r");
  EXPECT_EQ(Read(port, 80).status, kSysTimeout);
  EXPECT_EQ(Get(port, "bytesWritten"), 4);
}

TEST_F(LibraryTest, WritesToDevicesWithoutOutputAreRefused) {
  for (const char* device_class : {"PosScanner", "PosScale", "PosMsr", "PosKeyboard", "PosDrawer",
                                   "PosPower", "PosTouch", "PosAlarm"}) {
    EXPECT_EQ(Write(Open("DEVNAME", device_class), "x"), kSysFunctionNotSupported) << device_class;
  }
  EXPECT_EQ(Write(0, "x"), kSysFunctionNotSupported);
  std::int32_t out = 0;
  const std::int32_t display = Open("DEVNAME", "PosDisplay");
  EXPECT_EQ(write_(&context_, display, nullptr, 4, &out), kSysInvalidLength);
  EXPECT_EQ(write_(&context_, display, "x", -1, &out), kSysInvalidLength);
  EXPECT_EQ(read_(&context_, display, nullptr, 4, &out), kSysInvalidLength);
}

TEST_F(LibraryTest, AnOfflineDeviceIsNotUsed) {
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  ASSERT_EQ(Control("offline SCANNER1"), "ok\n");
  const std::vector<Post> posts = WaitForPosts(1);
  ASSERT_EQ(posts.size(), 1u);
  EXPECT_EQ(posts[0].message, kMsgSysDeviceOffline);
  EXPECT_EQ(posts[0].wparam, 0x02004A00u | static_cast<std::uint32_t>(scanner))
      << "handle, device number, port 0, slot 2";
  EXPECT_EQ(Read(scanner, 80).status, kSysDeviceOffline);
  EXPECT_EQ(Ioctl(scanner, kReqScanDiscardData), kSysDeviceOffline);
  EXPECT_EQ(Get(scanner, "deviceOnline"), 0) << "its values can still be read";
  EXPECT_EQ(Control("scan 1"), "error: status 317: the device is off line\n");
  EXPECT_EQ(Control("offline SCANNER1"), "error: status 322: SCANNER1 is off line already\n");
  ASSERT_EQ(Control("online SCANNER1"), "ok\n");
  EXPECT_EQ(Read(scanner, 80).status, kSysTimeout);
}

TEST_F(LibraryTest, TheEventQueueDeliversWholeRecordsInOrder) {
  while (Read(0, 16).status == 0) {
  }
  ASSERT_EQ(post_event_(0x420B, 3, 13), 0);
  ASSERT_EQ(post_event_(0x4204, 5, 0), 0);
  EXPECT_EQ(Read(0, 15).status, kSysBufferTooSmall);
  const ReadResult first = Read(0, 80);
  ASSERT_EQ(first.status, 0);
  ASSERT_EQ(first.bytes.size(), 16u);
  EXPECT_EQ(first.bytes.substr(4, 8), std::string("\x0b\x42\0\0\3\0\0\0", 8));
  EXPECT_EQ(Read(0, 16).bytes.substr(4, 4), std::string("\x04\x42\0\0", 4));
  EXPECT_EQ(Read(0, 16).status, kSysTimeout);
  EXPECT_EQ(Read(0, 15).status, kSysTimeout);
}

// How long a read waits is told apart from when data comes in
// read_timeout_test.cpp, on a clock of the test's; here the bounds and a
// real timeout through the exports.
TEST_F(LibraryTest, AReadTimesOutAfterTheReadTimeout) {
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  ASSERT_EQ(Set(0, "readTimeout", 100), 0);
  EXPECT_EQ(Read(scanner, 80).status, kSysTimeout);
  EXPECT_EQ(Set(0, "readTimeout", 10001), kSysOutOfBounds);
}

}  // namespace
}  // namespace posim_test
