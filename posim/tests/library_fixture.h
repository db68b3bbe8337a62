// Test fixture: the built simulated library, loaded by the binding's loader,
// and what it posts to the window given as "queueHandle": on POSIX hosts a
// PostMessageA of the test program's own records it (library_fixture_posix.cpp);
// on Windows a real window of the test's thread receives it through USER32
// and the fixture pumps its messages (library_fixture_win32.cpp).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "codes/pos_library.h"
#include "posim/library/test_entries.h"

namespace posim_test {

// A fresh folder under the temporary one, the current folder until it is
// removed with this object: the control channels of parallel test processes
// never meet.
class FolderOfItsOwn {
 public:
  explicit FolderOfItsOwn(const char* prefix);
  ~FolderOfItsOwn();
  FolderOfItsOwn(const FolderOfItsOwn&) = delete;
  FolderOfItsOwn& operator=(const FolderOfItsOwn&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string before_;
  std::string path_;
};

struct Post {
  std::uintptr_t window;
  std::uint32_t message;
  std::uintptr_t wparam;
  std::intptr_t lparam;
  std::thread::id thread;  // that posted it; id() where the platform does not tell
};

// Waits until at least count posts have arrived (5 s at most); all of them.
std::vector<Post> WaitForPosts(std::size_t count);
void ClearPosts();

// The window given as "queueHandle", and a second one, made once for the
// test program.
extern std::uintptr_t kWindow;
extern std::uintptr_t kOtherWindow;
inline constexpr std::size_t kDefaultDevices = 13;

struct ReadResult {
  std::int32_t status;
  std::string bytes;
};

// The platform's part: the window, and taking in what has been posted to it.
std::uintptr_t MakeTestWindow();
void PumpPosts();
void RecordPost(const Post& post);

class LibraryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  // Leaves the tests' directory and removes it with what the tests left there.
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Initialise a context with "queueHandle" = kWindow plus the given pairs.
  std::int32_t Initialize(PosContext& context, const char* resource_file = "",
                          std::vector<ResourcePair> pairs = {});
  // Opens on the fixture's context; the handle, or -status on failure.
  std::int32_t Open(const char* name, const char* device_class,
                    std::vector<ResourcePair> pairs = {});
  std::int32_t Ioctl(std::int32_t handle, std::int32_t request,
                     std::vector<ResourcePair> pairs = {});
  // The same, leaving the values the library writes in the caller's pairs.
  std::int32_t IoctlInPlace(std::int32_t handle, std::int32_t request,
                            std::vector<ResourcePair>& pairs);
  ReadResult Read(std::int32_t handle, std::int32_t size);
  std::int32_t Write(std::int32_t handle, const std::string& data);
  // A number value of a handle's device, via POS_SYS_GET_VALUES.
  std::int64_t Get(std::int32_t handle, const char* name);
  std::string GetText(std::int32_t handle, const char* name);
  std::int32_t Set(std::int32_t handle, const char* name, std::uintptr_t value);
  // The reply of a control command.
  std::string Control(const std::string& line);
  std::string Output(const char* device);

  static void* library_;
  static DLL_PosInitialize_fn initialize_;
  static DLL_PosOpen_fn open_;
  static DLL_PosClose_fn close_;
  static DLL_PosIOCtl_fn ioctl_;
  static DLL_PosRead_fn read_;
  static DLL_PosWrite_fn write_;
  static DLL_PosTerm_fn term_;
  static DLL_PosVersion_fn version_;
  static PosimControl_fn control_;
  static PosimPostEvent_fn post_event_;
  static PosimDeviceOutput_fn device_output_;
  static std::string directory_;  // the working directory of the tests

  PosContext context_ = {};
  std::vector<Post> online_posts_;  // what the fixture's initialise posted
};

}  // namespace posim_test
