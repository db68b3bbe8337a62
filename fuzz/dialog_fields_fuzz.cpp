// The command dialogs' fields and the resource editor on any texts: every
// dialog checks and converts them, calls a stand-in library that answers
// with counts and statuses from the input, and ends or stays open. Files are
// read and written only in a folder of the run's own, removed at the end; each
// input finds it empty but for the file a Write dialog sends.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "dialogs/command_dialogs.h"
#include "dialogs/numbers.h"
#include "fuzz/fuzz_input.h"
#include "resources/templates.h"
#include "ui/scripted/scripted_port.h"

namespace {

// Answers every call with the result the input chose; a read fills the
// buffer up to the size it was given, never beyond.
class AnsweringCalls : public dialogs::PosCalls {
 public:
  explicit AnsweringCalls(std::int32_t result) : result_(result) {}
  std::int32_t Initialize(const char*, const char*, std::int32_t, std::int32_t, ResourcePair* p,
                          std::int32_t n) override {
    return Touch(p, n);
  }
  std::int32_t Open(const char*, const char*, ResourcePair* p, std::int32_t n) override {
    return Touch(p, n);
  }
  std::int32_t Close(std::int32_t) override { return Answer(); }
  std::int32_t Ioctl(std::int32_t, std::int32_t, ResourcePair* p, std::int32_t n) override {
    return Touch(p, n);
  }
  std::int32_t Read(std::int32_t, void* buffer, std::int32_t size) override {
    if (buffer != nullptr && size > 0) static_cast<unsigned char*>(buffer)[size - 1] = 0x5A;
    return Answer();
  }
  std::int32_t Write(std::int32_t, const void*, std::int32_t) override { return Answer(); }

 private:
  std::int32_t Answer() {
    if (result_ < 0) errno = -result_;
    return result_ < 0 ? -1 : result_;
  }
  // The pairs as a library leaves them: numbers changed, names kept.
  std::int32_t Touch(ResourcePair* pairs, std::int32_t count) {
    for (std::int32_t i = 0; pairs != nullptr && i < count && i < 20; ++i) pairs[i].value ^= 0x55;
    return Answer();
  }
  std::int32_t result_;
};

// Keeps a file name inside the run's folder.
std::string LocalName(std::string name) {
  for (char& c : name)
    if (c == '/' || c == '\\') c = '_';
  return name;
}

std::filesystem::path run_folder;

void RemoveRunFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(run_folder, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  run_folder =
      std::filesystem::temp_directory_path() / ("ridozod_fuzz_" + std::to_string(getpid()));
  std::filesystem::create_directories(run_folder);
  std::filesystem::current_path(run_folder);
  std::atexit(RemoveRunFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const int dialog_id = res::kIdInitialize + data[0] % 6;
  const std::int32_t result = static_cast<std::int8_t>(data[1]) * 1000 + data[2];
  const std::vector<std::string> f = fuzz::Fields(fuzz::AsText(data + 3, size - 3), 10);

  // The number checks on their own: digits only, and a value that fits.
  std::int32_t i32 = 0;
  std::uint32_t u32 = 0;
  if (dialogs::ParseInt32(f[0], i32)) fuzz::Check(i32 >= 0, "a negative handle from digits");
  if (dialogs::ParseUint32(f[1], 16, u32))
    fuzz::Check(dialogs::OnlyOf(f[1], dialogs::kHexDigits), "hex value with other characters");

  // For a Write dialog the file named by the input holds the data field's
  // text. Whatever the file holds afterwards goes: no input sees what another
  // left, and the folder does not grow over a long run.
  const std::string file = LocalName(f[2]);
  if (dialog_id == res::kIdWrite && !file.empty()) std::ofstream(file, std::ios::binary) << f[5];

  ui::ScriptedPort port;
  names::NameScratch scratch;
  dialogs::ResourceArgList args;
  AnsweringCalls pos(result);
  dialogs::Context context{port, scratch, args, pos};
  port.ExpectDialog([&](ui::ScriptedDialog& d) {
    d.Type(res::kIdHandle, f[0]);
    d.Type(res::kIdBufferSize, f[1]);
    d.Type(res::kIdReadFile, file);
    d.Type(res::kIdWriteFile, file);
    d.Type(res::kIdAppName, f[3]);
    d.Type(res::kIdDeviceName, f[3]);
    d.Type(res::kIdRequest, f[4]);
    d.Type(res::kIdWriteData, f[5]);
    if (!f[6].empty()) d.Check(f[6][0] & 1 ? res::kIdUseFile : res::kIdUseListBox);
    // A row for the resource editor: name, type, value.
    d.Type(res::kIdArgResource, f[7]);
    d.Select(res::kIdArgType, f[6].empty() ? 0 : f[6][0] % 4);
    d.Type(res::kIdArgValue, f[8]);
    for (std::size_t i = 0; i < f[6].size() % 3; ++i) d.Press(res::kIdAddResource);
    d.Type(res::kIdArgCount, f[9]);
    d.Press(res::kIdOk);
    d.Press(res::kIdCancel);
  });
  dialogs::RunCommandDialog(context, dialog_id);
  std::error_code ignored;
  if (std::filesystem::is_regular_file(file, ignored)) std::filesystem::remove(file, ignored);
  fuzz::Check(scratch.empty(), "the name scratch was left in use");
  fuzz::Check(args.row_count() <= dialogs::kMaxRows, "more rows than the table holds");
  return 0;
}
