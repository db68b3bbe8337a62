// The Read dialog: PosRead into a fresh buffer, then the data saved, shown
// (a hex dump, or an event-queue record for handle 0) and read as a scale.
#include <cerrno>
#include <cstdlib>
#include <memory>

#include "dialogs/dialog_support.h"
#include "dialogs/fields.h"
#include "dialogs/numbers.h"
#include "dialogs/posq_decode.h"
#include "files/whole_file.h"
#include "names/command_log.h"
#include "resources/templates.h"

namespace dialogs {

namespace {

constexpr const char* kMissingSize = "Missing Buffer Size";
constexpr const char* kMissingSizeCaption = "Buffer Size Error ";
constexpr const char* kNonNumericSize = "Non numeric Buffer Size : %s ";
constexpr const char* kSizeTooLarge = "Buffer Size too large : %s ";
constexpr const char* kNoMemory = "Cannot allocate a buffer of %d bytes ";
constexpr const char* kSizeCaption = "Buffer Size Error";
constexpr const char* kEcho = "Command-->  PosRead(%d, [], %d)";
// A library fault: the count is no count of bytes in the buffer, so nothing
// of it is shown or saved.
constexpr const char* kBadCount =
    "  --> PosRead reported %d bytes for a buffer of %d bytes: nothing shown  ";
constexpr const char* kBadCountCaption = "Command Status";
constexpr const char* kDumpTitle = "Read Results";
constexpr const char* kSuccess = "PosRead Successful.";
constexpr const char* kCaption = "POS Read";
constexpr const char* kScaleLine = "Scale : Type-> %d , Flags -> %d, WtValue -> %d";

struct FreeDeleter {
  void operator()(unsigned char* p) const { std::free(p); }
};
using Buffer = std::unique_ptr<unsigned char, FreeDeleter>;

// The first eight bytes as a scale reading; bytes past the buffer count as 0.
std::string ScaleLine(const unsigned char* buffer, std::size_t size) {
  const std::uint32_t head = LittleEndian32(buffer, size, 0);
  const std::uint32_t weight = LittleEndian32(buffer, size, 4);
  return names::FormatLine(kScaleLine, static_cast<int>(head & 0xFFFF),
                           static_cast<int>(head >> 16), static_cast<std::int32_t>(weight));
}

class ReadDialog : public CommandDialog {
 public:
  explicit ReadDialog(Context& context) : CommandDialog(context, true) {}

 private:
  std::optional<std::int32_t> ReadSize(ui::Dialog& dialog) {
    const std::string text = dialog.GetText(res::kIdBufferSize);
    if (text.empty()) {
      c_.ui.ShowMessage(kMissingSize, kMissingSizeCaption);
      return std::nullopt;
    }
    if (!OnlyOf(text, kDecimalDigits)) {
      c_.ui.ShowMessage(names::FormatLine(kNonNumericSize, text.c_str()), kSizeCaption);
      return std::nullopt;
    }
    std::int32_t size = 0;
    if (!ParseInt32(text, size)) {
      c_.ui.ShowMessage(names::FormatLine(kSizeTooLarge, text.c_str()), kSizeCaption);
      return std::nullopt;
    }
    return size;
  }

  void Ok(ui::Dialog& dialog) override {
    const std::optional<std::int32_t> handle = ReadHandle(c_.ui, dialog);
    if (!handle) return;
    const std::optional<std::int32_t> size = ReadSize(dialog);
    if (!size) return;
    // Zero-filled, so bytes the library leaves alone read as 0.
    Buffer buffer(static_cast<unsigned char*>(std::calloc(*size > 0 ? *size : 1, 1)));
    if (!buffer) {
      c_.ui.ShowMessage(names::FormatLine(kNoMemory, *size), kSizeCaption);
      return;
    }
    const std::optional<std::string> file = ReadFileName(c_.ui, dialog, res::kIdReadFile);
    if (!file) return;
    Log(c_, names::FormatLine(kEcho, *handle, *size));
    const std::int32_t n = c_.pos.Read(*handle, buffer.get(), *size);
    if (n > *size) {
      const std::string line = names::FormatLine(kBadCount, n, *size);
      Log(c_, line);
      c_.ui.ShowMessage(line, kBadCountCaption);
    } else if (n <= 0) {
      names::ReportStatus(c_.ui, c_.scratch, n, errno);
    } else {
      Show(*handle, *file, buffer.get(), n);
      Log(c_, ScaleLine(buffer.get(), static_cast<std::size_t>(*size)));
    }
    dialog.End(0);
  }

  void Show(std::int32_t handle, const std::string& file, const unsigned char* data,
            std::int32_t n) {
    if (!file.empty()) files::WriteWholeFile(c_.ui, file.c_str(), data, n);
    if (handle != 0) {
      names::DumpHex(c_.ui, kDumpTitle, data, n);
    } else {
      DecodePosqMessage(c_.ui, c_.scratch, data, n);
    }
    c_.ui.ShowMessage(kSuccess, kCaption);
  }
};

}  // namespace

std::unique_ptr<ui::DialogProc> MakeReadDialog(Context& context) {
  return std::make_unique<ReadDialog>(context);
}

}  // namespace dialogs
