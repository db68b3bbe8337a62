#include "ui/win32/log_menu.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "files/log_file.h"
#include "os/program_folder.h"
#include "resources/log_menu.h"

namespace win32 {

namespace {

// The list box's own procedure and the port, kept in the window's user data
// (the application's to use on every class): a window property would cost a
// trip to the window server on each of the log's messages, one per line.
struct Glue {
  WNDPROC list_box;
  ui::Port* port;
};

// A path from the Save dialog: room for long ones.
constexpr DWORD kPathRoom = 32768;
constexpr char kFilter[] = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
constexpr char kDefaultExtension[] = "txt";
constexpr int kClipboardTries = 50;
constexpr DWORD kClipboardWaitMs = 10;

// The lines as the list box holds them, read one at a time.
class ListBoxLines : public files::LogLines {
 public:
  explicit ListBoxLines(HWND box) : box_(box) {}
  std::size_t Count() const override {
    const LRESULT n = SendMessageA(box_, LB_GETCOUNT, 0, 0);
    return n == LB_ERR ? 0 : static_cast<std::size_t>(n);
  }
  std::string_view Line(std::size_t index) const override {
    const LRESULT length = SendMessageA(box_, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return {};
    line_.resize(static_cast<std::size_t>(length) + 1);
    const LRESULT got =
        SendMessageA(box_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(line_.data()));
    return got == LB_ERR ? std::string_view() : std::string_view(line_.data(), got);
  }

 private:
  HWND box_;
  mutable std::string line_;
};

std::wstring FromUtf8(const char* text) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring wide(n > 0 ? static_cast<std::size_t>(n) : 1, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), n);
  return wide;
}

void Copy(HWND log) {
  const LRESULT selected = SendMessageA(log, LB_GETCURSEL, 0, 0);
  const std::string text = files::CopiedLogText(
      ListBoxLines(log),
      selected == LB_ERR ? files::kNoLogSelection : static_cast<std::size_t>(selected));
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) return;
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  // Another program may hold the clipboard for a moment.
  bool opened = false;
  for (int tries = 0; tries < kClipboardTries && !(opened = OpenClipboard(log)); ++tries)
    Sleep(kClipboardWaitMs);
  if (opened) {
    EmptyClipboard();
    // The clipboard owns the memory once it takes it.
    if (SetClipboardData(CF_TEXT, memory)) memory = nullptr;
    CloseClipboard();
  }
  if (memory) GlobalFree(memory);
}

void SaveAs(HWND log, ui::Port& port) {
  std::string path(kPathRoom, '\0');
  const std::string name = files::DefaultLogFileName();
  name.copy(path.data(), name.size());
  const std::string folder = os::ProgramFolder();
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetParent(log);
  dialog.lpstrFilter = kFilter;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = kPathRoom;
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = res::kLogSaveCaption;
  dialog.lpstrDefExt = kDefaultExtension;
  // The list files are found in the current folder: the dialog must not change it.
  dialog.Flags =
      OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetSaveFileNameA(&dialog)) return;  // cancelled
  if (const std::string failure = files::SaveLog(path.c_str(), ListBoxLines(log)); !failure.empty())
    port.ShowMessage(failure, res::kLogSaveCaption);
}

LRESULT CALLBACK Procedure(HWND log, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* glue = reinterpret_cast<Glue*>(GetWindowLongPtrA(log, GWLP_USERDATA));
  if (!glue) return DefWindowProcA(log, message, wparam, lparam);
  const WNDPROC list_box = glue->list_box;
  if (message == WM_SYSCOMMAND) {
    // The system keeps the four low bits of a system command for itself.
    const int id = static_cast<int>(wparam & 0xFFF0);
    if (id == res::kLogCopy.id) {
      Copy(log);
      return 0;
    }
    if (id == res::kLogSave.id) {
      SaveAs(log, *glue->port);
      return 0;
    }
    // Closing the log would destroy it, and every line after with it.
    if (id == SC_CLOSE) return 0;
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(log, GWLP_USERDATA, 0);
    SetWindowLongPtrA(log, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list_box));
    delete glue;
  }
  return CallWindowProcA(list_box, log, message, wparam, lparam);
}

}  // namespace

void AddLogMenu(HWND log, ui::Port& port) {
  HMENU menu = GetSystemMenu(log, FALSE);
  if (!log || !menu) return;
  EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  for (const res::LogMenuItem& item : {res::kLogCopy, res::kLogSave})
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.id), FromUtf8(item.text).c_str());
  auto* glue = new Glue{nullptr, &port};
  SetWindowLongPtrA(log, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(glue));
  glue->list_box = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(log, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

}  // namespace win32
