// Sessions and events through the library's entries.
#include <sys/stat.h>

#include <atomic>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

#include "posim/devices/codes.h"
#include "posim/devices/terminal.h"
#include "posim/tests/library_fixture.h"

namespace posim_test {
namespace {

using posim::DeviceConfig;

std::uint32_t Place(const DeviceConfig& d) {
  return static_cast<std::uint32_t>(d.class_code) | d.number << 8 | d.port << 16 |
         static_cast<std::uint32_t>(d.slot) << 24;
}

std::uint32_t Field(const std::string& record, int index) {
  std::uint32_t value = 0;
  for (int b = 0; b < 4; ++b) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(record[4 * index + b]))
             << (8 * b);
  }
  return value;
}

TEST_F(LibraryTest, InitializePostsAndQueuesOneOnlineEventPerDevice) {
  const std::vector<DeviceConfig> terminal = posim::DefaultTerminal();
  const std::vector<Post>& posts = online_posts_;
  ASSERT_EQ(posts.size(), terminal.size());
  for (std::size_t i = 0; i < terminal.size(); ++i) {
    SCOPED_TRACE(terminal[i].name);
    EXPECT_EQ(posts[i].window, kWindow);
    EXPECT_NE(posts[i].thread, std::this_thread::get_id()) << "posted from a thread of the library";
    EXPECT_EQ(posts[i].message, posim::kMsgSysDeviceOnline);
    EXPECT_EQ(posts[i].wparam, Place(terminal[i]));
    EXPECT_EQ(posts[i].lparam, terminal[i].subtype);
    const ReadResult record = Read(0, 16);
    ASSERT_EQ(record.status, 0);
    ASSERT_EQ(record.bytes.size(), 16u);
    EXPECT_EQ(Field(record.bytes, 0), kWindow);
    EXPECT_EQ(Field(record.bytes, 1), posim::kMsgSysDeviceOnline);
    EXPECT_EQ(Field(record.bytes, 2), Place(terminal[i]));
    EXPECT_EQ(Field(record.bytes, 3), terminal[i].subtype);
  }
  EXPECT_EQ(Read(0, 16).status, posim::kSysTimeout) << "nothing more queued";
}

TEST_F(LibraryTest, EachContextIsASessionOfItsOwn) {
  EXPECT_EQ(Initialize(context_), posim::kSysAlreadyInitialized);
  PosContext second = {};
  ASSERT_EQ(Initialize(second), 0);
  EXPECT_NE(std::memcmp(second.bytes, context_.bytes, sizeof second.bytes), 0);
  std::int32_t handle = 0;
  ASSERT_EQ(open_(&second, "DEVNAME", "PosDisplay", nullptr, 0, &handle), 0);
  EXPECT_EQ(close_(&context_, handle), posim::kSysInvalidDescriptor) << "not this session's";
  EXPECT_EQ(term_(&second), 0);
  EXPECT_EQ(term_(&second), posim::kSysNotInitialized);
  EXPECT_GT(Open("DEVNAME", "PosDisplay"), 0) << "the first session goes on";
}

TEST_F(LibraryTest, CallsOutsideASessionAreNotInitialized) {
  PosContext none = {};
  char buffer[16];
  std::int32_t out = 0;
  EXPECT_EQ(open_(&none, "DEVNAME", "PosDisplay", nullptr, 0, &out), posim::kSysNotInitialized);
  EXPECT_EQ(close_(&none, 1), posim::kSysNotInitialized);
  EXPECT_EQ(ioctl_(&none, 1, 302, nullptr, 0, &out), posim::kSysNotInitialized);
  EXPECT_EQ(read_(&none, 0, buffer, 16, &out), posim::kSysNotInitialized);
  EXPECT_EQ(write_(&none, 1, buffer, 1, &out), posim::kSysNotInitialized);
  EXPECT_EQ(version_(&none, 0, 0, 0), posim::kSysNotInitialized);
  EXPECT_EQ(term_(&none), posim::kSysNotInitialized);
  EXPECT_EQ(version_(&context_, 0, 0, 0), 0);
}

TEST_F(LibraryTest, TheResourceFileMayDescribeTheTerminal) {
  const std::string good = directory_ + "/lane.txt";
  std::ofstream(good) << "# two devices\nBIGDISPLAY PosDisplay 0x25 6 3 0x11\n"
                         "WAND PosScanner 0x4B 2 4 0x22\n";
  const std::string bad = directory_ + "/bad.txt";
  std::ofstream(bad) << "WAND PosScanner 0x4B 2 9 0x22\n";
  struct Case {
    std::string file;
    std::int32_t status;
    std::size_t devices;
  };
  std::vector<Case> cases = {
      {good, 0, 2},
      {bad, posim::kSysInvalidFile, 0},
      {directory_ + "/missing.txt", 0, posim::DefaultTerminal().size()},
      {"/dev/zero", posim::kSysInvalidFile, 0},
      {directory_, posim::kSysInvalidFile, 0},
      {"C:\\KLOB", 0, posim::DefaultTerminal().size()},
  };
#ifndef _WIN32
  // A FIFO that nobody writes: refused at once instead of waited on.
  const std::string pipe = directory_ + "/pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  cases.push_back({pipe, posim::kSysInvalidFile, 0});
#endif
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    PosContext context = {};
    ClearPosts();
    ASSERT_EQ(Initialize(context, c.file.c_str()), c.status);
    if (c.status != 0) continue;
    EXPECT_EQ(WaitForPosts(c.devices).size(), c.devices);
    std::int32_t handle = 0;
    ResourcePair pair = {"numberOfDevices", 0};
    std::int32_t out = 0;
    ASSERT_EQ(ioctl_(&context, 0, posim::kReqSysGetValues, &pair, 1, &out), 0);
    EXPECT_EQ(pair.value, c.devices);
    if (c.devices == 2) {
      EXPECT_EQ(open_(&context, "WAND", "PosScanner", nullptr, 0, &handle), 0);
      EXPECT_EQ(open_(&context, "DEVNAME", "PosPrinter", nullptr, 0, &handle),
                posim::kSysInvalidName);
    }
    term_(&context);
  }
}

TEST_F(LibraryTest, WithoutAQueueWindowEventsAreOnlyQueued) {
  PosContext context = {};
  ClearPosts();
  ASSERT_EQ(initialize_(&context, "RIDOZOD", "", nullptr, 0), 0);
  std::int32_t out = 0;
  char record[16];
  EXPECT_EQ(read_(&context, 0, record, 16, &out), 0);
  EXPECT_EQ(out, 16);
  term_(&context);
  ASSERT_EQ(post_event_(0x4206, 1, 0), 0);  // a marker behind whatever was posted
  const std::vector<Post> posts = WaitForPosts(1);
  ASSERT_EQ(posts.size(), 1u);
  EXPECT_EQ(posts[0].message, 0x4206u);
}

TEST_F(LibraryTest, InitializeRefusesBadPairs) {
  const struct {
    ResourcePair pair;
    std::int32_t status;
  } cases[] = {
      {{"noSuchThing", 1}, posim::kSysInvalidName},
      {{"readTimeout", 0xFFFFFFFF}, posim::kSysOutOfBounds},
      {{"numberOfDevices", 3}, posim::kSysCmdReject},
      {{nullptr, 3}, posim::kSysInvalidName},
  };
  for (const auto& c : cases) {
    PosContext context = {};
    EXPECT_EQ(Initialize(context, "", {c.pair}), c.status) << c.pair.value;
    EXPECT_EQ(term_(&context), posim::kSysNotInitialized) << "no session was made";
  }
  PosContext context = {};
  EXPECT_EQ(initialize_(&context, "RIDOZOD", "", nullptr, -1), posim::kSysInvalidNargs);
}

TEST_F(LibraryTest, APostedEventGoesToTheWindowAndTheQueue) {
  while (Read(0, 16).status == 0) {
  }
  EXPECT_EQ(post_event_(0x4201, 7, 2), 0);
  const std::vector<Post> posts = WaitForPosts(1);
  ASSERT_EQ(posts.size(), 1u);
  EXPECT_EQ(posts[0].message, 0x4201u);
  EXPECT_EQ(posts[0].wparam, 7u);
  EXPECT_EQ(posts[0].lparam, 2);
  const ReadResult record = Read(0, 16);
  ASSERT_EQ(record.status, 0);
  EXPECT_EQ(Field(record.bytes, 1), 0x4201u);
  EXPECT_EQ(Field(record.bytes, 2), 7u);
  EXPECT_EQ(Field(record.bytes, 3), 2u);
  term_(&context_);
  EXPECT_EQ(post_event_(0x4201, 7, 2), posim::kSysNotInitialized);
}

TEST_F(LibraryTest, NullPointersAndWildSizesAreRefused) {
  const std::int32_t display = Open("DEVNAME", "PosDisplay");
  ASSERT_GT(display, 0);
  std::int32_t out = 0;
  char buffer[16] = {};
  ResourcePair pair = {"rows", 0};
  const struct {
    const char* call;
    std::function<std::int32_t()> run;
    std::int32_t status;
  } cases[] = {
      {"initialise without a context",
       [&] { return initialize_(nullptr, "RIDOZOD", "", nullptr, 0); }, posim::kSysInvalidAddress},
      {"open without a context",
       [&] { return open_(nullptr, "DEVNAME", "PosDisplay", nullptr, 0, &out); },
       posim::kSysNotInitialized},
      {"open without a handle out",
       [&] { return open_(&context_, "DEVNAME", "PosDisplay", nullptr, 0, nullptr); },
       posim::kSysInvalidAddress},
      {"open without a name",
       [&] { return open_(&context_, nullptr, "PosDisplay", nullptr, 0, &out); },
       posim::kSysInvalidName},
      {"open without a class",
       [&] { return open_(&context_, "DEVNAME", nullptr, nullptr, 0, &out); },
       posim::kSysInvalidClass},
      {"open with a negative count",
       [&] { return open_(&context_, "DEVNAME", "PosDisplay", &pair, -5, &out); },
       posim::kSysInvalidNargs},
      {"ioctl with a huge count",
       [&] { return ioctl_(&context_, display, posim::kReqSysGetValues, &pair, INT32_MAX, &out); },
       posim::kSysInvalidNargs},
      {"ioctl without an out", [&] { return ioctl_(&context_, display, 302, &pair, 1, nullptr); },
       0},
      {"read without an out", [&] { return read_(&context_, 0, buffer, 16, nullptr); },
       posim::kSysInvalidAddress},
      {"read of a negative size", [&] { return read_(&context_, 0, buffer, INT32_MIN, &out); },
       posim::kSysInvalidLength},
      {"write without an out", [&] { return write_(&context_, display, "x", 1, nullptr); },
       posim::kSysInvalidAddress},
      {"close without a context", [&] { return close_(nullptr, display); },
       posim::kSysNotInitialized},
      {"close of a negative handle", [&] { return close_(&context_, -7); },
       posim::kSysInvalidDescriptor},
      {"ioctl on a negative handle", [&] { return ioctl_(&context_, -7, 302, &pair, 1, &out); },
       posim::kSysInvalidDescriptor},
      {"term without a context", [&] { return term_(nullptr); }, posim::kSysNotInitialized},
      {"version without a context", [&] { return version_(nullptr, 0, 0, 0); },
       posim::kSysNotInitialized},
  };
  for (const auto& c : cases) EXPECT_EQ(c.run(), c.status) << c.call;
  EXPECT_EQ(pair.value, 2u) << "only the call without an out read the value";
}

TEST_F(LibraryTest, SessionsComeAndGoFromManyThreadsAtOnce) {
  // The fixture's session ends too, so that the last session ends again and again.
  ASSERT_EQ(term_(&context_), 0);
  constexpr int kRounds = 25;
  std::atomic<int> failures{0};
  auto sessions = [&] {
    for (int i = 0; i < kRounds; ++i) {
      PosContext context = {};
      std::int32_t handle = 0;
      std::int32_t out = 0;
      char buffer[16];
      if (Initialize(context) != 0 ||
          open_(&context, "DEVNAME", "PosRs232c", nullptr, 0, &handle) != 0 ||
          write_(&context, handle, "ping", 4, &out) != 0 ||
          read_(&context, handle, buffer, sizeof buffer, &out) != 0 || out != 4 ||
          term_(&context) != 0) {
        ++failures;
      }
    }
  };
  auto feeder = [&] {
    for (int i = 0; i < 4 * kRounds; ++i) {
      const std::string reply = Control("scan 42");
      if (reply != "ok\n" && reply != "error: no POS session (initialise first)\n") ++failures;
      const std::int32_t status = post_event_(0x4206, 1, 2);
      if (status != 0 && status != posim::kSysNotInitialized) ++failures;
    }
  };
  std::thread a(sessions), b(sessions), c(feeder);
  a.join();
  b.join();
  c.join();
  EXPECT_EQ(failures.load(), 0);
  ClearPosts();
  ASSERT_EQ(Initialize(context_), 0);
  EXPECT_EQ(WaitForPosts(kDefaultDevices).size(), kDefaultDevices) << "events still flow";
}

}  // namespace
}  // namespace posim_test
