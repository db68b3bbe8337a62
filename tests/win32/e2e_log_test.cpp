// End-to-end case of the CommandLog's system menu: Save log as… through the
// common Save dialog, the file read back against the list box; Copy of a
// selected line; the key echo as before.
#include <string>
#include <vector>

#include "resources/log_menu.h"
#include "tests/win32/e2e_fixture.h"

namespace e2e {
namespace {

// The Save dialog's file name field: a combo box's edit or an edit of its own.
constexpr int kFileNameIds[] = {0x47C, 0x480};

HWND FileNameField(HWND dialog, int* id) {
  for (int candidate : kFileNameIds)
    if (HWND field = GetDlgItem(dialog, candidate)) {
      *id = candidate;
      return field;
    }
  return nullptr;
}

// The common Save dialog, found by its title (its edit field sits in a combo box).
HWND FindSaveDialog(DWORD pid) {
  HWND found = nullptr;
  drive::WaitUntil([&] {
    for (HWND w : drive::TopLevelWindows(pid))
      if (drive::ClassName(w) == "#32770" && drive::WindowText(w) == res::kLogSaveCaption)
        found = w;
    return found != nullptr;
  });
  return found;
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "(clipboard busy)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

TEST_F(Ridozod, SaveLogAsWritesTheListBoxLinesAndCopyTakesTheSelectedLine) {
  ASSERT_TRUE(Start());
  ASSERT_NO_FATAL_FAILURE(Initialize());
  drive::TypeKey(main_, 'A', 0x1E);
  ASSERT_TRUE(
      LogHas({"KeyDown ScanCode from KeyBoard = 1e \n", "KeyUp ScanCode from KeyBoard = 1e \n"}));
  HWND log = drive::CommandLog(main_);
  const std::string name = "e2e-saved-log.txt";
  DeleteFileA(RunPath(name).c_str());

  PostMessageW(log, WM_SYSCOMMAND, static_cast<WPARAM>(res::kLogSave.id), 0);
  HWND save = FindSaveDialog(pid());
  ASSERT_TRUE(save) << "no Save dialog";
  int field = 0;
  ASSERT_TRUE(FileNameField(save, &field));
  const std::string offered = drive::GetText(save, field);
  EXPECT_EQ(offered.rfind("ridozod-log-", 0), 0u) << offered;
  EXPECT_EQ(offered.size(), std::string("ridozod-log-YYYYMMDD-HHMMSS.txt").size()) << offered;
  drive::SetText(save, field, RunPath(name));
  drive::Click(save, IDOK);
  ASSERT_TRUE(Closed(save));
  std::string lines;
  for (const std::string& line : Log()) lines += line + "\r\n";
  // The file shows up before the program has written all of it.
  std::optional<std::string> saved;
  drive::WaitUntil([&] { return (saved = ReadRunFile(name)) == lines; });
  ASSERT_TRUE(saved.has_value()) << "no " << name;
  EXPECT_EQ(*saved, lines);
  EXPECT_TRUE(drive::MessageBoxes(pid()).empty());

  const std::vector<std::string> before = Log();
  ASSERT_GE(before.size(), 3u);
  SendMessageW(log, LB_SETCURSEL, 2, 0);
  PostMessageW(log, WM_SYSCOMMAND, static_cast<WPARAM>(res::kLogCopy.id), 0);
  EXPECT_TRUE(drive::WaitUntil([&] { return ClipboardText() == before[2]; }))
      << ClipboardText() << " / " << before[2];
  EXPECT_EQ(Log(), before);  // the log as it was

  drive::TypeKey(main_, 'B', 0x30);
  EXPECT_TRUE(LogHas({"KeyUp ScanCode from KeyBoard = 30 \n"}));
  DeleteFileA(RunPath(name).c_str());
  Exit();
}

}  // namespace
}  // namespace e2e
