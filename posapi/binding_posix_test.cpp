// The binding with the system's loader and the real test libraries of
// testlib/: what it loads and releases, and its exit hook.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "posapi/binding.h"

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

class BindingPosixTest : public ::testing::Test {
 protected:
  void TearDown() override {
    PosTerm();
    SetLibraryFileForTesting(nullptr);
  }
};

TEST_F(BindingPosixTest, FailedInitializeLeavesNothingLoaded) {
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
  }
  // The bare name, searched beside the program and then by the system.
  SetLibraryFileForTesting(nullptr);
  EXPECT_EQ(Initialize(), -1);
  EXPECT_EQ(errno, kStatusNoLibrary);
}

TEST_F(BindingPosixTest, TermReleasesTheLibraryAndInitializeLoadsItAgain) {
  SetLibraryFileForTesting(TESTLIB_PATH);
  ASSERT_EQ(Initialize(), 0);
  EXPECT_TRUE(IsLoaded(TESTLIB_PATH));
  EXPECT_EQ(PosTerm(), 0);
  EXPECT_FALSE(IsLoaded(TESTLIB_PATH));
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
