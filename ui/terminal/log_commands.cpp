#include "ui/terminal/log_commands.h"

#include <array>
#include <string>

#include "names/command_log.h"
#include "resources/log_menu.h"

namespace terminal {

namespace {

// The file name box: a label, the name field, OK and Cancel.
constexpr int kIdFileName = 100;
// A path may be longer than the characters a field takes from the keyboard.
constexpr std::size_t kPathRoom = 4096;

// Terminals drop a clipboard sequence past about a megabyte (tmux past 1 MiB)
// without a word, and writing a larger one stalls the screen: a copy of more
// text than this is refused, and the user told so.
constexpr std::size_t kMostCopied = 512 * 1024;
constexpr char kCopyTooLarge[] =
    "The text to copy is %zu bytes, more than a terminal's clipboard takes (%zu); "
    "Save log as... writes the whole log to a file.";

constexpr std::array<res::Control, 4> kSaveControls{{
    {-1, res::ControlKind::kLabel, "File name", res::kGroup, 8, 8, 60, 8},
    {kIdFileName, res::ControlKind::kEdit, "", res::kBorder | res::kAutoHScroll | res::kTabStop, 8,
     18, 224, 12},
    {res::kIdOk, res::ControlKind::kDefPushButton, "OK", res::kTabStop | res::kGroup, 60, 40, 50,
     14},
    {res::kIdCancel, res::ControlKind::kPushButton, "Cancel", res::kTabStop, 130, 40, 50, 14},
}};

constexpr res::DialogTemplate kSaveBox{"LogSaveAs",
                                       res::kLogSaveCaption,
                                       20,
                                       40,
                                       240,
                                       48,
                                       res::kPopup | res::kVisible | res::kCaption,
                                       "MS Sans Serif",
                                       8,
                                       kSaveControls};

class AskFileName : public ui::DialogProc {
 public:
  std::string path;

  void OnInit(ui::Dialog& dialog) override { dialog.SetText(kIdFileName, files::DefaultLogPath()); }
  void OnCommand(ui::Dialog& dialog, int id, int) override {
    if (id == res::kIdOk) path = dialog.GetText(kIdFileName, kPathRoom);
    if (id == res::kIdOk || id == res::kIdCancel) dialog.End(id);
  }
};

}  // namespace

void RunLogCommand(int id, const LogBox& log, Device& device, ui::Port& port) {
  const LogBoxLines lines(log.lines());
  if (id == res::kLogCopy.id) {
    const std::size_t selected =
        log.selected() < 0 ? files::kNoLogSelection : static_cast<std::size_t>(log.selected());
    const std::string text = files::CopiedLogText(lines, selected);
    if (text.size() > kMostCopied)
      port.ShowMessage(names::FormatLine(kCopyTooLarge, text.size(), kMostCopied),
                       res::kLogCopy.text);
    else
      device.SetClipboard(text);
  } else if (id == res::kLogSave.id) {
    AskFileName ask;
    if (port.RunDialog(kSaveBox, ask) != res::kIdOk) return;
    if (const std::string failure = files::SaveLog(ask.path.c_str(), lines); !failure.empty())
      port.ShowMessage(failure, res::kLogSaveCaption);
  }
}

}  // namespace terminal
