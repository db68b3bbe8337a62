#include "ui/terminal/log_commands.h"

#include <array>
#include <string>

#include "files/log_file.h"
#include "resources/log_menu.h"

namespace terminal {

namespace {

// The file name box: a label, the name field, OK and Cancel.
constexpr int kIdFileName = 100;
// A path may be longer than the characters a field takes from the keyboard.
constexpr std::size_t kPathRoom = 4096;

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

class StoreLines : public files::LogLines {
 public:
  explicit StoreLines(const LineStore& store) : store_(store) {}
  std::size_t Count() const override { return store_.size(); }
  std::string_view Line(std::size_t index) const override { return store_[index]; }

 private:
  const LineStore& store_;
};

}  // namespace

void RunLogCommand(int id, const LogBox& log, Device& device, ui::Port& port) {
  const StoreLines lines(log.lines());
  if (id == res::kLogCopy.id) {
    const std::size_t selected =
        log.selected() < 0 ? files::kNoLogSelection : static_cast<std::size_t>(log.selected());
    device.SetClipboard(files::CopiedLogText(lines, selected));
  } else if (id == res::kLogSave.id) {
    AskFileName ask;
    if (port.RunDialog(kSaveBox, ask) != res::kIdOk) return;
    if (const std::string failure = files::SaveLog(ask.path.c_str(), lines); !failure.empty())
      port.ShowMessage(failure, res::kLogSaveCaption);
  }
}

}  // namespace terminal
