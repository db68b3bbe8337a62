// The parts of the library fixture that every platform shares; loading goes
// through the binding's loader, posts are collected by
// library_fixture_posix.cpp or library_fixture_win32.cpp.
#include "posim/tests/library_fixture.h"

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <random>

#include "codes/code_tables.h"
#include "posapi/library_loader.h"
#include "posim/devices/codes.h"

namespace {

std::mutex posts_mutex;
std::condition_variable posts_arrived;
std::vector<posim_test::Post> posts;
std::vector<std::uint32_t> messages;  // every message of the test, also after ClearPosts

}  // namespace

namespace posim_test {

void RecordPost(const Post& post) {
  {
    std::lock_guard<std::mutex> lock(posts_mutex);
    posts.push_back(post);
    messages.push_back(post.message);
  }
  posts_arrived.notify_all();
}

std::vector<Post> WaitForPosts(std::size_t count) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (true) {
    PumpPosts();
    std::unique_lock<std::mutex> lock(posts_mutex);
    if (posts.size() >= count || std::chrono::steady_clock::now() >= deadline) return posts;
    // Posts recorded on another thread wake the wait; pumped ones are polled.
    posts_arrived.wait_for(lock, std::chrono::milliseconds(10));
  }
}

void ClearPosts() {
  PumpPosts();
  std::lock_guard<std::mutex> lock(posts_mutex);
  posts.clear();
}

std::uintptr_t kWindow = 0;
std::uintptr_t kOtherWindow = 0;

void* LibraryTest::library_ = nullptr;
DLL_PosInitialize_fn LibraryTest::initialize_ = nullptr;
DLL_PosOpen_fn LibraryTest::open_ = nullptr;
DLL_PosClose_fn LibraryTest::close_ = nullptr;
DLL_PosIOCtl_fn LibraryTest::ioctl_ = nullptr;
DLL_PosRead_fn LibraryTest::read_ = nullptr;
DLL_PosWrite_fn LibraryTest::write_ = nullptr;
DLL_PosTerm_fn LibraryTest::term_ = nullptr;
DLL_PosVersion_fn LibraryTest::version_ = nullptr;
PosimControl_fn LibraryTest::control_ = nullptr;
PosimPostEvent_fn LibraryTest::post_event_ = nullptr;
PosimDeviceOutput_fn LibraryTest::device_output_ = nullptr;
std::string LibraryTest::directory_;

template <typename Fn>
void Resolve(void* library, const char* name, Fn& out) {
  out = reinterpret_cast<Fn>(posapi::FindLibraryEntry(library, name));
  ASSERT_NE(out, nullptr) << name;
}

FolderOfItsOwn::FolderOfItsOwn(const char* prefix)
    : before_(std::filesystem::current_path().string()) {
  namespace fs = std::filesystem;
  fs::path path;
  std::random_device random;
  do {
    path = fs::temp_directory_path() / (prefix + std::to_string(random()));
  } while (!fs::create_directory(path));
  path_ = path.string();
  fs::current_path(path);
}

FolderOfItsOwn::~FolderOfItsOwn() {
  std::filesystem::current_path(before_);
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

namespace {
std::unique_ptr<FolderOfItsOwn> folder;
}  // namespace

void LibraryTest::SetUpTestSuite() {
  folder = std::make_unique<FolderOfItsOwn>("posim_test_");
  directory_ = folder->path();
  kWindow = MakeTestWindow();
  kOtherWindow = MakeTestWindow();
  library_ = posapi::OpenLibrary(POSIM_LIBRARY);
  ASSERT_NE(library_, nullptr) << POSIM_LIBRARY;
  Resolve(library_, "DLL_PosInitialize", initialize_);
  Resolve(library_, "DLL_PosOpen", open_);
  Resolve(library_, "DLL_PosClose", close_);
  Resolve(library_, "DLL_PosIOCtl", ioctl_);
  Resolve(library_, "DLL_PosRead", read_);
  Resolve(library_, "DLL_PosWrite", write_);
  Resolve(library_, "DLL_PosTerm", term_);
  Resolve(library_, "DLL_PosVersion", version_);
  Resolve(library_, "PosimControl", control_);
  Resolve(library_, "PosimPostEvent", post_event_);
  Resolve(library_, "PosimDeviceOutput", device_output_);
}

void LibraryTest::TearDownTestSuite() {
  if (library_ != nullptr) posapi::CloseLibrary(library_);
  library_ = nullptr;
  folder.reset();
}

void LibraryTest::SetUp() {
  {
    std::lock_guard<std::mutex> lock(posts_mutex);
    messages.clear();
  }
  ClearPosts();
  ASSERT_EQ(Initialize(context_), 0);
  online_posts_ = WaitForPosts(kDefaultDevices);
  ASSERT_EQ(online_posts_.size(), kDefaultDevices);
  ClearPosts();
}

void LibraryTest::TearDown() {
  term_(&context_);
  // Whatever the library posted is an event the tool can name.
  PumpPosts();
  std::lock_guard<std::mutex> lock(posts_mutex);
  for (const std::uint32_t message : messages) {
    bool named = false;
    for (std::size_t i = 0; codes::MessageNames[i].name != nullptr; ++i) {
      named = named || static_cast<std::uint32_t>(codes::MessageNames[i].code) == message;
    }
    EXPECT_TRUE(named) << "message 0x" << std::hex << message << " has no POSM_ name";
  }
}

std::int32_t LibraryTest::Initialize(PosContext& context, const char* resource_file,
                                     std::vector<ResourcePair> pairs) {
  pairs.insert(pairs.begin(), {"queueHandle", kWindow});
  return initialize_(&context, "RIDOZOD", resource_file, pairs.data(),
                     static_cast<std::int32_t>(pairs.size()));
}

std::int32_t LibraryTest::Open(const char* name, const char* device_class,
                               std::vector<ResourcePair> pairs) {
  std::int32_t handle = 0;
  const std::int32_t status = open_(&context_, name, device_class, pairs.data(),
                                    static_cast<std::int32_t>(pairs.size()), &handle);
  return status == 0 ? handle : -status;
}

std::int32_t LibraryTest::Ioctl(std::int32_t handle, std::int32_t request,
                                std::vector<ResourcePair> pairs) {
  return IoctlInPlace(handle, request, pairs);
}

std::int32_t LibraryTest::IoctlInPlace(std::int32_t handle, std::int32_t request,
                                       std::vector<ResourcePair>& pairs) {
  std::int32_t out = 0;
  return ioctl_(&context_, handle, request, pairs.data(), static_cast<std::int32_t>(pairs.size()),
                &out);
}

ReadResult LibraryTest::Read(std::int32_t handle, std::int32_t size) {
  std::string buffer(static_cast<std::size_t>(size), '\0');
  std::int32_t out = -1;
  const std::int32_t status = read_(&context_, handle, buffer.data(), size, &out);
  if (status != 0) return {status, ""};
  EXPECT_GE(out, 0);
  EXPECT_LE(out, size) << "never more than the buffer";
  buffer.resize(static_cast<std::size_t>(out));
  return {status, buffer};
}

std::int32_t LibraryTest::Write(std::int32_t handle, const std::string& data) {
  std::int32_t out = 0;
  const std::int32_t status =
      write_(&context_, handle, data.data(), static_cast<std::int32_t>(data.size()), &out);
  if (status == 0) {
    EXPECT_EQ(out, static_cast<std::int32_t>(data.size()));
  }
  return status;
}

std::int64_t LibraryTest::Get(std::int32_t handle, const char* name) {
  ResourcePair pair = {name, 0};
  std::int32_t out = 0;
  const std::int32_t status = ioctl_(&context_, handle, posim::kReqSysGetValues, &pair, 1, &out);
  EXPECT_EQ(status, 0) << name;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(pair.value));
}

std::string LibraryTest::GetText(std::int32_t handle, const char* name) {
  ResourcePair pair = {name, 0};
  std::int32_t out = 0;
  EXPECT_EQ(ioctl_(&context_, handle, posim::kReqSysGetValues, &pair, 1, &out), 0) << name;
  // The pair points at the library's copy of the text.
  return pair.value == 0 ? std::string() : reinterpret_cast<const char*>(pair.value);
}

std::int32_t LibraryTest::Set(std::int32_t handle, const char* name, std::uintptr_t value) {
  ResourcePair pair = {name, value};
  std::int32_t out = 0;
  return ioctl_(&context_, handle, posim::kReqSysSetValues, &pair, 1, &out);
}

std::string LibraryTest::Control(const std::string& line) {
  char reply[4096];
  control_(line.c_str(), reply, sizeof reply);
  return reply;
}

std::string LibraryTest::Output(const char* device) {
  char out[4096];
  EXPECT_EQ(device_output_(device, out, sizeof out), 0) << device;
  return out;
}

}  // namespace posim_test
