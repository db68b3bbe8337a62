#include "dialogs/test_support.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>

namespace dialogs::testing {

namespace {

RecordedCall Call(std::string api, std::vector<std::string> texts,
                  std::vector<std::int32_t> numbers) {
  RecordedCall call;
  call.api = std::move(api);
  call.texts = std::move(texts);
  call.numbers = std::move(numbers);
  return call;
}

}  // namespace

void FakePosCalls::RecordPairs(RecordedCall& call, ResourcePair* resources, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    const ResourcePair& p = resources[i];
    call.pairs.emplace_back(p.name ? p.name : "(null)", p.value);
    const bool is_string = static_cast<std::size_t>(i) < string_pairs.size() && string_pairs[i];
    call.pair_texts.push_back(is_string ? reinterpret_cast<const char*>(p.value) : "");
  }
  if (on_pairs) on_pairs(resources, count);
}

std::int32_t FakePosCalls::Finish(RecordedCall call, std::int32_t default_result) {
  calls.push_back(std::move(call));
  const std::int32_t result = next_result_.value_or(default_result);
  if (next_status_) errno = *next_status_;
  next_result_.reset();
  next_status_.reset();
  return result;
}

std::int32_t FakePosCalls::Initialize(const char* application_name, const char* resource_file,
                                      std::int32_t reserved1, std::int32_t reserved2,
                                      ResourcePair* resources, std::int32_t count) {
  RecordedCall call =
      Call("Initialize", {application_name, resource_file}, {reserved1, reserved2, count});
  RecordPairs(call, resources, count);
  return Finish(std::move(call), 0);
}

std::int32_t FakePosCalls::Open(const char* device_name, const char* device_class,
                                ResourcePair* resources, std::int32_t count) {
  RecordedCall call = Call("Open", {device_name, device_class}, {count});
  RecordPairs(call, resources, count);
  return Finish(std::move(call), 3);
}

std::int32_t FakePosCalls::Close(std::int32_t handle) {
  return Finish(Call("Close", {}, {handle}), 0);
}

std::int32_t FakePosCalls::Ioctl(std::int32_t handle, std::int32_t request, ResourcePair* resources,
                                 std::int32_t count) {
  RecordedCall call = Call("Ioctl", {}, {handle, request, count});
  RecordPairs(call, resources, count);
  return Finish(std::move(call), 0);
}

std::int32_t FakePosCalls::Read(std::int32_t handle, void* buffer, std::int32_t size) {
  const std::size_t n = std::min(read_bytes.size(), static_cast<std::size_t>(size));
  std::memcpy(buffer, read_bytes.data(), n);
  return Finish(Call("Read", {}, {handle, size}), static_cast<std::int32_t>(n));
}

std::int32_t FakePosCalls::Write(std::int32_t handle, const void* data, std::int32_t length) {
  RecordedCall call = Call("Write", {}, {handle, length});
  call.data.assign(static_cast<const char*>(data), static_cast<std::size_t>(length));
  return Finish(std::move(call), length);
}

TempCurrentDir::TempCurrentDir()
    : previous_(std::filesystem::current_path()),
      root_(std::filesystem::temp_directory_path() /
            ("ridozod_dialogs_" + std::to_string(std::random_device{}()))) {
  std::filesystem::create_directories(root_);
  std::filesystem::current_path(root_);
}

TempCurrentDir::~TempCurrentDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(root_, ignored);
}

void TempCurrentDir::WriteList(const std::string& name,
                               const std::vector<std::string>& entries) const {
  std::string bytes;
  for (const std::string& e : entries) bytes += e + "\r\n";
  WriteBytes(name, bytes);
}

void TempCurrentDir::WriteBytes(const std::string& name, const std::string& bytes) const {
  std::ofstream(root_ / name, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempCurrentDir::ReadBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

DialogHarness::DialogHarness() {
  dir.WriteList("PSYSTEM.DAT", kSystemNames);
  dir.WriteList("PRESOURC.DAT", kClassNames);
  dir.WriteList("PIOCTLRE.DAT", {"POS_SYS_GET_VALUES", "POS_TILL_OPEN_TILL", "CLEAR SCREEN",
                                 "pos_sys_get_values", " _ "});
  dir.WriteList("PALARM.DAT", {"PosAVolume"});
  dir.WriteList("PDRAWER.DAT", {"PosTPulseWidth"});
  dir.WriteList("PSCANNER.DAT", {"PosNBeepVolume", "PosNLaserTimeout"});
  dir.WriteList("PPRINTER.DAT", {"PosNDIWidth"});
}

void DialogHarness::Run(int command_id, ui::ScriptedPort::DialogScript script) {
  port.ExpectDialog(std::move(script));
  RunCommandDialog(context, command_id);
}

}  // namespace dialogs::testing
