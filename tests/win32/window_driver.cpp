#include "tests/win32/window_driver.h"

#include <algorithm>

namespace drive {

namespace {

constexpr DWORD kPollMs = 20;
constexpr UINT kSendTimeoutMs = 5000;

// A message to another process's window that cannot hang the driver.
LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result))
    return -1;
  return static_cast<LRESULT>(result);
}

bool HasChildOfClass(HWND window, const char* class_name) {
  return FindWindowExW(window, nullptr, Wide(class_name).c_str(), nullptr) != nullptr;
}

// Message boxes and command dialogs share the dialog class; only the command
// dialogs have edit fields.
constexpr const char* kDialogClass = "#32770";

std::string StaticText(HWND box) {
  std::string longest;
  for (HWND c = FindWindowExW(box, nullptr, L"Static", nullptr); c;
       c = FindWindowExW(box, c, L"Static", nullptr)) {
    std::string t = WindowText(c);
    if (t.size() > longest.size()) longest = t;
  }
  return longest;
}

}  // namespace

std::vector<std::string> ItemTexts(HWND box, UINT count, UINT length, UINT text,
                                   std::size_t first) {
  std::vector<std::string> items;
  const LRESULT n = Send(box, count, 0, 0);
  for (LRESULT i = static_cast<LRESULT>(first); i < n; ++i) {
    const LRESULT len = Send(box, length, static_cast<WPARAM>(i), 0);
    std::wstring w(static_cast<std::size_t>(std::max<LRESULT>(len, 0)) + 1, L'\0');
    const LRESULT got = Send(box, text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(w.data()));
    w.resize(static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, len)));
    items.push_back(Ansi(w));
  }
  return items;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const ULONGLONG end = GetTickCount64() + timeout_ms;
  while (true) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(kPollMs);
  }
}

std::wstring Wide(const std::string& ansi) {
  if (ansi.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), w.data(), n);
  return w;
}

std::string Ansi(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string a(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), a.data(), n, nullptr,
                      nullptr);
  return a;
}

std::unique_ptr<Process> Process::Start(const std::string& command_line, const std::string& folder,
                                        bool capture) {
  std::unique_ptr<Process> p(new Process);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  HANDLE write_end = nullptr;
  if (capture) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    if (!CreatePipe(&p->output_, &write_end, &sa, 0)) return nullptr;
    SetHandleInformation(p->output_, HANDLE_FLAG_INHERIT, 0);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = write_end;
    si.hStdError = write_end;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  }
  std::wstring cmd = Wide(command_line);
  const std::wstring dir = Wide(folder);
  const BOOL ok = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, capture, 0, nullptr,
                                 dir.c_str(), &si, &p->info_);
  if (write_end) CloseHandle(write_end);
  if (!ok) return nullptr;
  return p;
}

Process::~Process() {
  if (info_.hProcess) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 99);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  if (output_) CloseHandle(output_);
}

std::optional<DWORD> Process::Wait(DWORD timeout_ms) {
  if (WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

std::string Process::Output() {
  std::string out;
  if (!output_) return out;
  char buffer[512];
  DWORD n = 0;
  while (ReadFile(output_, buffer, sizeof buffer, &n, nullptr) && n > 0) out.append(buffer, n);
  return out;
}

Ran RunToEnd(const std::string& command_line, const std::string& folder) {
  std::unique_ptr<Process> p = Process::Start(command_line, folder, true);
  if (!p) return {~DWORD{0}, "could not start: " + command_line};
  std::string out = p->Output();  // until the program closes its end
  const std::optional<DWORD> code = p->Wait();
  return {code.value_or(~DWORD{0}), out};
}

std::string WindowText(HWND window) {
  const LRESULT n = Send(window, WM_GETTEXTLENGTH, 0, 0);
  if (n <= 0) return {};
  std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
  const LRESULT got = Send(window, WM_GETTEXT, w.size(), reinterpret_cast<LPARAM>(w.data()));
  w.resize(static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, n)));
  return Ansi(w);
}

std::string ClassName(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return Ansi(name);
}

namespace {

struct WindowSearch {
  DWORD process_id;
  std::vector<HWND> found;
};

// EnumWindows's callback (stdcall on 32-bit Windows: no lambda converts to it).
BOOL CALLBACK CollectWindow(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<WindowSearch*>(search);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == s->process_id && IsWindowVisible(window)) s->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD process_id) {
  WindowSearch search{process_id, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindMainWindow(DWORD process_id) {
  for (HWND w : TopLevelWindows(process_id))
    if (ClassName(w) == "RIDOZOD") return w;
  return nullptr;
}

HWND WaitForMainWindow(DWORD process_id) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindMainWindow(process_id)) != nullptr; });
  return found;
}

HWND FindDialog(DWORD process_id, const std::string& title) {
  for (HWND w : TopLevelWindows(process_id))
    if (ClassName(w) == kDialogClass && HasChildOfClass(w, "Edit") && WindowText(w) == title)
      return w;
  return nullptr;
}

HWND WaitForDialog(DWORD process_id, const std::string& title) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindDialog(process_id, title)) != nullptr; });
  return found;
}

std::vector<HWND> MessageBoxWindows(DWORD process_id) {
  std::vector<HWND> boxes;
  for (HWND w : TopLevelWindows(process_id))
    if (ClassName(w) == kDialogClass && !HasChildOfClass(w, "Edit")) boxes.push_back(w);
  return boxes;
}

Box ReadMessageBox(HWND window) {
  return Box{window, WindowText(window), StaticText(window)};
}

std::vector<Box> MessageBoxes(DWORD process_id) {
  std::vector<Box> boxes;
  for (HWND w : MessageBoxWindows(process_id)) boxes.push_back(ReadMessageBox(w));
  return boxes;
}

std::optional<Box> FindMessageBox(DWORD process_id) {
  std::vector<Box> boxes = MessageBoxes(process_id);
  if (boxes.empty()) return std::nullopt;
  return boxes.front();
}

std::optional<Box> WaitForMessageBox(DWORD process_id) {
  std::optional<Box> box;
  WaitUntil([&] { return (box = FindMessageBox(process_id)).has_value(); });
  return box;
}

bool CloseMessageBox(const Box& box) {
  Click(box.window, IDOK);
  return WaitUntil([&] { return !IsWindow(box.window); });
}

void MenuCommand(HWND main_window, int id) {
  PostMessageW(main_window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void SetText(HWND dialog, int id, const std::string& text) {
  const std::wstring w = Wide(text);
  Send(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()));
}

std::string GetText(HWND dialog, int id) {
  return WindowText(GetDlgItem(dialog, id));
}

bool IsChecked(HWND dialog, int id) {
  return Send(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Click(HWND dialog, int id) {
  PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
  return ItemTexts(GetDlgItem(dialog, id), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

bool Choose(HWND dialog, int id, const std::string& item) {
  const std::vector<std::string> items = ComboItems(dialog, id);
  const auto at = std::find(items.begin(), items.end(), item);
  if (at == items.end()) return false;
  HWND combo = GetDlgItem(dialog, id);
  Send(combo, CB_SETCURSEL, static_cast<WPARAM>(at - items.begin()), 0);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  return true;
}

HWND CommandLog(HWND main_window) {
  return FindWindowExW(main_window, nullptr, L"ListBox", nullptr);
}

std::vector<std::string> LogLines(HWND main_window, std::size_t first) {
  return ItemTexts(CommandLog(main_window), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, first);
}

std::size_t LogCount(HWND main_window) {
  const LRESULT n = Send(CommandLog(main_window), LB_GETCOUNT, 0, 0);
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

namespace {

// Input goes to the foreground window, and under Wine a window becomes it
// some time after it is asked to (later on a loaded machine): wait for it,
// two seconds at most.
void BringToFront(HWND window) {
  const HWND root = GetAncestor(window, GA_ROOT);
  const ULONGLONG deadline = GetTickCount64() + 2000;
  SetForegroundWindow(root);
  while (GetForegroundWindow() != root && GetTickCount64() < deadline) {
    Sleep(10);
    SetForegroundWindow(root);
  }
}

}  // namespace

void MouseClick(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  BringToFront(window);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
}

void TypeKey(HWND window, WORD virtual_key, WORD scan_code) {
  BringToFront(window);
  INPUT in[2]{};
  for (INPUT& i : in) {
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = virtual_key;
    i.ki.wScan = scan_code;
  }
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

}  // namespace drive
