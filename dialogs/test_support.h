// What the dialog tests share: a recording fake of the POS calls, a temporary
// current directory with list files, and a harness that runs a dialog
// through the scripted front end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/command_dialogs.h"
#include "ui/scripted/scripted_port.h"

namespace dialogs::testing {

struct RecordedCall {
  std::string api;
  std::vector<std::string> texts;     // names and classes, in argument order
  std::vector<std::int32_t> numbers;  // the other arguments, in order (counts last)
  std::vector<std::pair<std::string, std::uintptr_t>> pairs;
  std::vector<std::string> pair_texts;  // what each pair's value points at, for 'S' rows
  std::string data;                     // the bytes given to Write
};

class FakePosCalls : public PosCalls {
 public:
  // The next call returns result and, when given, leaves status in errno.
  void Will(std::int32_t result, std::optional<int> status = std::nullopt) {
    next_result_ = result;
    next_status_ = status;
  }
  // Marks the pairs whose value is a string address, so they are recorded.
  std::vector<bool> string_pairs;
  // Runs on the pairs during Initialize, Open and Ioctl (e.g. writes values).
  std::function<void(ResourcePair*, std::int32_t)> on_pairs;
  // What Read places in the buffer, cut to the buffer's size.
  std::string read_bytes;
  std::vector<RecordedCall> calls;

  std::int32_t Initialize(const char* application_name, const char* resource_file,
                          std::int32_t reserved1, std::int32_t reserved2, ResourcePair* resources,
                          std::int32_t count) override;
  std::int32_t Open(const char* device_name, const char* device_class, ResourcePair* resources,
                    std::int32_t count) override;
  std::int32_t Close(std::int32_t handle) override;
  std::int32_t Ioctl(std::int32_t handle, std::int32_t request, ResourcePair* resources,
                     std::int32_t count) override;
  std::int32_t Read(std::int32_t handle, void* buffer, std::int32_t size) override;
  std::int32_t Write(std::int32_t handle, const void* data, std::int32_t length) override;

 private:
  std::int32_t Finish(RecordedCall call, std::int32_t default_result);
  void RecordPairs(RecordedCall& call, ResourcePair* resources, std::int32_t count);

  std::optional<std::int32_t> next_result_;
  std::optional<int> next_status_;
};

// A fresh directory made the current one for the test's lifetime.
class TempCurrentDir {
 public:
  TempCurrentDir();
  ~TempCurrentDir();
  TempCurrentDir(const TempCurrentDir&) = delete;
  TempCurrentDir& operator=(const TempCurrentDir&) = delete;

  // A list file: each entry ended by CR LF.
  void WriteList(const std::string& name, const std::vector<std::string>& entries) const;
  void WriteBytes(const std::string& name, const std::string& bytes) const;
  static std::string ReadBytes(const std::string& name);

 private:
  std::filesystem::path previous_;
  std::filesystem::path root_;
};

using Entry = ui::ScriptedPort::Entry;
inline Entry LogLine(std::string text) {
  return {Entry::kLog, std::move(text), {}};
}
inline Entry Box(std::string text, std::string caption) {
  return {Entry::kBox, std::move(text), std::move(caption)};
}

// Runs command dialogs against the fake, in a directory holding the list
// files that the dialogs load.
class DialogHarness {
 public:
  DialogHarness();

  // Runs the dialog of the menu command with one script.
  void Run(int command_id, ui::ScriptedPort::DialogScript script);

  const std::vector<Entry>& entries() const { return port.entries(); }

  TempCurrentDir dir;
  ui::ScriptedPort port;
  names::NameScratch scratch;
  ResourceArgList args;
  FakePosCalls pos;
  Context context{port, scratch, args, pos};
};

// The list files every dialog test starts with.
inline const std::vector<std::string> kSystemNames = {"PosSTimeout", "PosSDeviceName"};
inline const std::vector<std::string> kClassNames = {"PosDisplay", "PosScanner", "PosPrinterX",
                                                     "Unknown"};

}  // namespace dialogs::testing
