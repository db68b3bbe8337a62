// The Write dialog: PosWrite of typed data (with escape sequences) or of a
// whole file.
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "codes/escapes.h"
#include "dialogs/dialog_support.h"
#include "dialogs/fields.h"
#include "files/whole_file.h"
#include "names/command_log.h"
#include "resources/templates.h"

namespace dialogs {

namespace {

constexpr std::size_t kDataRoom = 254;  // 253 typed characters and the terminator
constexpr std::size_t kLineRoom = 200;  // one line of the data box
constexpr std::int32_t kFileRoom = 8192;

constexpr const char* kLineCount = "nLines    -> %d ";
constexpr const char* kTypedEcho = "Command-->  PosWrite(%d, [], %d)";
constexpr const char* kMissingFile = "Missing File Name";
constexpr const char* kFileNotFound = "File %s not found ";
constexpr const char* kFileCaption = "File Name Error ";
constexpr const char* kFileEcho = "Command-->  PosWrite(%d,%s,%d)";
constexpr const char* kSuccess = "PosWrite Successful.";
constexpr const char* kCaption = "POS Write";

class WriteDialog : public CommandDialog {
 public:
  explicit WriteDialog(Context& context) : CommandDialog(context, true) {}

  void OnInit(ui::Dialog& dialog) override {
    dialog.CheckRadioButton(res::kIdUseListBox, res::kIdUseFile, res::kIdUseListBox);
  }

 private:
  void Ok(ui::Dialog& dialog) override {
    const std::optional<std::int32_t> handle = ReadHandle(c_.ui, dialog);
    if (!handle) return;
    const bool typed = dialog.IsChecked(res::kIdUseListBox);
    std::optional<std::int32_t> result =
        typed ? WriteTyped(dialog, *handle) : WriteFile(dialog, *handle);
    if (!result) return;
    ReportOutcome(c_, *result, errno, kSuccess, kCaption);
    dialog.End(0);
  }

  // The data box's lines joined without line ends, at most 253 characters.
  std::optional<std::int32_t> WriteTyped(ui::Dialog& dialog, std::int32_t handle) {
    std::array<char, kDataRoom> data{};
    if (dialog.GetLine(res::kIdWriteData, 0, kLineRoom).empty()) return std::nullopt;
    const int lines = dialog.GetLineCount(res::kIdWriteData);
    Log(c_, names::FormatLine(kLineCount, lines));
    std::size_t used = 0;
    for (int i = 0; i < lines; ++i) {
      const std::string line = dialog.GetLine(res::kIdWriteData, i, kLineRoom);
      const std::size_t take = std::min(line.size(), kDataRoom - 1 - used);
      std::memcpy(data.data() + used, line.data(), take);
      used += take;
      if (take < line.size()) break;  // later lines are dropped
    }
    std::vector<std::string> complaints;
    codes::DecodeEscapes(data.data(), complaints);
    for (const std::string& line : complaints) names::AppendToLog(c_.ui, line);
    const auto length = static_cast<std::int32_t>(std::strlen(data.data()));
    Log(c_, names::FormatLine(kTypedEcho, handle, length));
    return c_.pos.Write(handle, data.data(), length);
  }

  // The whole file, sent as it is.
  std::optional<std::int32_t> WriteFile(ui::Dialog& dialog, std::int32_t handle) {
    const std::optional<std::string> name = ReadFileName(c_.ui, dialog, res::kIdWriteFile);
    if (!name) return std::nullopt;
    if (name->empty()) {
      c_.ui.ShowMessage(kMissingFile, kFileCaption);
      return std::nullopt;
    }
    std::vector<unsigned char> buffer(kFileRoom);
    const std::int32_t n = files::ReadWholeFile(c_.ui, name->c_str(), buffer.data(), kFileRoom);
    if (n < 0) {
      c_.ui.ShowMessage(names::FormatLine(kFileNotFound, name->c_str()), kFileCaption);
      return std::nullopt;
    }
    Log(c_, names::FormatLine(kFileEcho, handle, name->c_str(), n));
    return c_.pos.Write(handle, buffer.data(), n);
  }
};

}  // namespace

std::unique_ptr<ui::DialogProc> MakeWriteDialog(Context& context) {
  return std::make_unique<WriteDialog>(context);
}

}  // namespace dialogs
