#include "dialogs/fields.h"

#include "dialogs/numbers.h"
#include "names/command_log.h"
#include "resources/templates.h"

namespace dialogs {

namespace {

constexpr const char* kMissingHandle = "Missing Handle number";
constexpr const char* kNonNumericHandle = "Non numeric Handle : %s ";
constexpr const char* kHandleCaption = "Handle Error ";
constexpr const char* kFileNameTooLong = "File Name longer than %d characters : %s ";
constexpr const char* kFileNameCaption = "File Name Error ";

}  // namespace

std::optional<std::int32_t> ReadHandle(ui::Port& ui, ui::Dialog& dialog) {
  const std::string text = dialog.GetText(res::kIdHandle);
  if (text.empty()) {
    ui.ShowMessage(kMissingHandle, kHandleCaption);
    return std::nullopt;
  }
  std::int32_t handle = 0;
  // A value beyond 32 bits is refused like any other non-number.
  if (!ParseInt32(text, handle)) {
    ui.ShowMessage(names::FormatLine(kNonNumericHandle, text.c_str()), kHandleCaption);
    return std::nullopt;
  }
  return handle;
}

std::optional<std::string> ReadFileName(ui::Port& ui, ui::Dialog& dialog, int id) {
  std::string name = dialog.GetText(id);
  if (name.size() > kMaxFileName) {
    ui.ShowMessage(
        names::FormatLine(kFileNameTooLong, static_cast<int>(kMaxFileName), name.c_str()),
        kFileNameCaption);
    return std::nullopt;
  }
  return name;
}

}  // namespace dialogs
