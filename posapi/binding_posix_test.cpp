// The binding against the small test libraries of testlib/.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "posapi/binding.h"
#include "posapi/testlib/test_pos_library.h"

namespace posapi {
namespace {

bool IsLoaded(const char* path) {
  void* library = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
  if (library == nullptr) return false;
  dlclose(library);
  return true;
}

ResourcePair queue_pair = {"queueHandle", 1};

std::int32_t Initialize(const char* application_name = "RIDOZOD") {
  return PosInitialize(application_name, "", 0, 0, &queue_pair, 1);
}

class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLibraryFileForTesting(TESTLIB_PATH);
    errno = 0;
  }
  void TearDown() override {
    PosTerm();
    SetLibraryFileForTesting(nullptr);
  }
};

TEST_F(BindingTest, EveryCallBeforeInitializeIsRefusedWithoutLoading) {
  char buffer[16] = {};
  const struct {
    const char* call;
    std::function<std::int32_t()> run;
  } cases[] = {
      {"PosOpen", [] { return PosOpen("DEVNAME", "PosDisplay", &queue_pair, 1); }},
      {"PosClose", [] { return PosClose(3); }},
      {"PosClose(0)", [] { return PosClose(0); }},
      {"PosIoctl", [] { return PosIoctl(3, 302, nullptr, 0); }},
      {"PosRead", [&] { return PosRead(3, buffer, sizeof buffer); }},
      {"PosWrite", [&] { return PosWrite(3, buffer, 4); }},
      {"PosTerm", [] { return PosTerm(); }},
      {"PosVersion", [] { return PosVersion(1, 2, 3); }},
  };
  for (const auto& c : cases) {
    errno = 0;
    EXPECT_EQ(c.run(), -1) << c.call;
    EXPECT_EQ(errno, kStatusNotInitialized) << c.call;
    EXPECT_FALSE(IsLoaded(TESTLIB_PATH)) << c.call;
  }
}

TEST_F(BindingTest, FailedInitializeLeavesNothingLoadedAndCanBeRetried) {
  const struct {
    const char* library;
    const char* application_name;
    int status;
  } cases[] = {
      {"/nonexistent/libvekapi32.so", "RIDOZOD", kStatusNoLibrary},
      {TESTLIB_NOVERSION_PATH, "RIDOZOD", kStatusNoLibrary},
      {TESTLIB_PATH, "fail", 308},
  };
  for (const auto& c : cases) {
    SetLibraryFileForTesting(c.library);
    errno = 0;
    EXPECT_EQ(Initialize(c.application_name), -1) << c.library;
    EXPECT_EQ(errno, c.status) << c.library;
    EXPECT_FALSE(IsLoaded(c.library)) << c.library;
    EXPECT_EQ(PosClose(1), -1) << "still unbound after " << c.library;
    EXPECT_EQ(errno, kStatusNotInitialized);
  }
  SetLibraryFileForTesting(TESTLIB_PATH);
  EXPECT_EQ(Initialize(), 0);
  EXPECT_TRUE(IsLoaded(TESTLIB_PATH));
}

TEST_F(BindingTest, SecondInitializeIsRefusedAndTheFirstStands) {
  ASSERT_EQ(Initialize(), 0);
  EXPECT_EQ(Initialize(), -1);
  EXPECT_EQ(errno, kStatusAlreadyInitialized);
  EXPECT_EQ(PosIoctl(1, 300, nullptr, 0), 301);
}

TEST_F(BindingTest, CloseOfHandleZeroNeverReachesTheLibrary) {
  ASSERT_EQ(Initialize(), 0);
  EXPECT_EQ(PosClose(0), -1);
  EXPECT_EQ(errno, kStatusNotSupported);
  EXPECT_EQ(PosIoctl(1, 9001, nullptr, 0), 0) << "no DLL_PosClose call";
  EXPECT_EQ(PosClose(5), 0);
  EXPECT_EQ(PosIoctl(1, 9001, nullptr, 0), 1);
}

TEST_F(BindingTest, CallsPassTheLibraryOutOrMinusOneWithItsStatus) {
  ASSERT_EQ(Initialize(), 0);
  char buffer[16] = {};
  const struct {
    const char* call;
    std::function<std::int32_t()> run;
    std::int32_t result;
    int status;  // errno afterwards (set to 0 before)
  } cases[] = {
      {"open", [] { return PosOpen("DEVNAME", "PosDisplay", &queue_pair, 1); }, 42, 0},
      {"open fails, out ignored", [] { return PosOpen("fail", "PosDisplay", nullptr, 0); }, -1,
       330},
      {"ioctl", [] { return PosIoctl(3, 300, nullptr, 0); }, 301, 0},
      {"ioctl fails", [] { return PosIoctl(3, 9002, nullptr, 0); }, -1, 316},
      {"read", [&] { return PosRead(3, buffer, sizeof buffer); }, 16, 0},
      {"write", [&] { return PosWrite(3, buffer, 9); }, 9, 0},
      {"version", [] { return PosVersion(1, 2, 3); }, 0, 0},
  };
  for (const auto& c : cases) {
    errno = 0;
    EXPECT_EQ(c.run(), c.result) << c.call;
    EXPECT_EQ(errno, c.status) << c.call;
  }
}

// The test library changes errno in every successful call, as a library
// doing file I/O would; the loader may change it too.
TEST_F(BindingTest, ErrnoKeepsTheLastFailureAfterASuccess) {
  ASSERT_EQ(Initialize(), 0);
  EXPECT_EQ(PosOpen("fail", "PosDisplay", nullptr, 0), -1);
  EXPECT_EQ(PosOpen("DEVNAME", "PosDisplay", nullptr, 0), 42);
  EXPECT_EQ(errno, 330);

  char buffer[4] = {};
  const struct {
    const char* call;
    std::function<std::int32_t()> run;
  } successes[] = {
      {"PosClose", [] { return PosClose(5); }},
      {"PosIoctl", [] { return PosIoctl(5, 300, nullptr, 0); }},
      {"PosRead", [&] { return PosRead(5, buffer, sizeof buffer); }},
      {"PosWrite", [&] { return PosWrite(5, buffer, 2); }},
      {"PosVersion", [] { return PosVersion(1, 2, 3); }},
      {"PosTerm", [] { return PosTerm(); }},
      {"PosInitialize", [] { return Initialize(); }},
  };
  for (const auto& c : successes) {
    errno = 330;
    EXPECT_GE(c.run(), 0) << c.call;
    EXPECT_EQ(errno, 330) << c.call;
  }
  // A bare name searched beside the program and then by the system.
  PosTerm();
  SetLibraryFileForTesting(nullptr);
  errno = 330;
  EXPECT_EQ(Initialize(), -1);
  EXPECT_EQ(errno, kStatusNoLibrary);
}

// What the test library saw in its last call.
TestLibCall LastCall() {
  void* library = dlopen(TESTLIB_PATH, RTLD_NOW | RTLD_NOLOAD);
  EXPECT_NE(library, nullptr) << "the library is loaded";
  if (library == nullptr) return {};
  auto last = reinterpret_cast<TestLib_LastCall_fn>(dlsym(library, TESTLIB_LAST_CALL_NAME));
  const TestLibCall call = *last();
  dlclose(library);
  return call;
}

TEST_F(BindingTest, EachEntryGetsTheContextAndTheArgumentsInOrder) {
  ResourcePair pairs[3] = {{"queueHandle", 1}, {"a", 2}, {"b", 3}};
  ASSERT_EQ(PosInitialize("APP", "RES", 77, 88, pairs, 3), 0);
  const TestLibCall init = LastCall();
  EXPECT_STREQ(init.entry, "DLL_PosInitialize");
  EXPECT_STREQ(init.text1, "APP");
  EXPECT_STREQ(init.text2, "RES");
  EXPECT_EQ(init.resources, pairs) << "the reserved arguments are not passed on";
  EXPECT_EQ(init.count, 3);
  PosContext* const context = init.context;
  ASSERT_NE(context, nullptr);

  char buffer[8] = {};
  const struct {
    const char* entry;
    std::function<std::int32_t()> run;
    TestLibCall expected;  // entry, context and out are checked apart
  } cases[] = {
      {"DLL_PosOpen",
       [&] { return PosOpen("DEV", "PosScale", pairs + 1, 2); },
       {nullptr, nullptr, "DEV", "PosScale", 0, 0, pairs + 1, 2, nullptr, nullptr, 0}},
      {"DLL_PosClose",
       [] { return PosClose(6); },
       {nullptr, nullptr, nullptr, nullptr, 6, 0, nullptr, 0, nullptr, nullptr, 0}},
      {"DLL_PosIOCtl",
       [&] { return PosIoctl(7, 302, pairs, 1); },
       {nullptr, nullptr, nullptr, nullptr, 7, 302, pairs, 1, nullptr, nullptr, 0}},
      {"DLL_PosRead",
       [&] { return PosRead(8, buffer, 5); },
       {nullptr, nullptr, nullptr, nullptr, 8, 0, nullptr, 5, buffer, nullptr, 0}},
      {"DLL_PosWrite",
       [&] { return PosWrite(9, buffer, 3); },
       {nullptr, nullptr, nullptr, nullptr, 9, 0, nullptr, 3, buffer, nullptr, 0}},
      {"DLL_PosVersion",
       [] { return PosVersion(11, 12, 13); },
       {nullptr, nullptr, nullptr, nullptr, 11, 12, nullptr, 13, nullptr, nullptr, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    EXPECT_GE(c.run(), 0);
    const TestLibCall call = LastCall();
    EXPECT_STREQ(call.entry, c.entry);
    EXPECT_EQ(call.context, context) << "the same PosContext in every call";
    if (c.expected.text1) {
      EXPECT_STREQ(call.text1, c.expected.text1);
      EXPECT_STREQ(call.text2, c.expected.text2);
    }
    EXPECT_EQ(call.handle, c.expected.handle);
    EXPECT_EQ(call.request, c.expected.request);
    EXPECT_EQ(call.resources, c.expected.resources);
    EXPECT_EQ(call.count, c.expected.count);
    EXPECT_EQ(call.data, c.expected.data);
    EXPECT_EQ(call.out_on_entry, 0) << "out is set to 0 before the call";
  }

  // The context outlives a termination: the next initialisation gets it again.
  ASSERT_EQ(PosTerm(), 0);
  ASSERT_EQ(Initialize(), 0);
  EXPECT_EQ(LastCall().context, context);
}

TEST_F(BindingTest, FailedTermStillUnbindsAndReleases) {
  ASSERT_EQ(Initialize("termfail"), 0);
  errno = 0;
  EXPECT_EQ(PosTerm(), -1);
  EXPECT_EQ(errno, 321);
  EXPECT_FALSE(IsLoaded(TESTLIB_PATH));
  EXPECT_EQ(PosClose(1), -1);
  EXPECT_EQ(errno, kStatusNotInitialized);
  EXPECT_EQ(PosTerm(), -1);
  EXPECT_EQ(errno, kStatusNotInitialized);
}

TEST_F(BindingTest, TermReleasesTheLibraryAndInitializeLoadsItAgain) {
  ASSERT_EQ(Initialize(), 0);
  EXPECT_EQ(PosTerm(), 0);
  EXPECT_FALSE(IsLoaded(TESTLIB_PATH));
  EXPECT_EQ(PosClose(1), -1);
  EXPECT_EQ(errno, kStatusNotInitialized);
  EXPECT_EQ(Initialize(), 0);
  EXPECT_TRUE(IsLoaded(TESTLIB_PATH));
}

// The exit hook, seen from a child process that returns from main.
TEST(BindingExitTest, TermRunsOnceAtExitOnlyAfterASuccessfulInitialize) {
  const struct {
    const char* mode;
    const char* count;  // what the library wrote, "" when it never wrote
  } cases[] = {
      {"init", "1\n"},
      {"fail", ""},
      {"none", ""},
  };
  for (const auto& c : cases) {
    const std::string count_file = ::testing::TempDir() + "posapi_term_count_" + c.mode + ".txt";
    std::remove(count_file.c_str());
    const std::string command =
        std::string(EXIT_PROBE_PATH) + " " + TESTLIB_PATH + " " + count_file + " " + c.mode;
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << c.mode;
    EXPECT_EQ(WEXITSTATUS(status), 0) << c.mode;
    std::ifstream in(count_file);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), c.count) << c.mode;
    std::remove(count_file.c_str());
  }
}

}  // namespace
}  // namespace posapi
