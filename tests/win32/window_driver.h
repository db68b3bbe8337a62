// Drives a running ridozod.exe from outside, as a user would: it finds the
// program's real windows and acts on them with window messages (a menu
// command, typing into a field, a button press, a choice in a combo box) and
// reads back what they show. Texts are ANSI bytes; between processes they
// travel as wide-character messages, which Wine marshals (it does not marshal
// the narrow ones), and are turned back with the ANSI code page.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace drive {

// Polls until the condition holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = 10000);

std::wstring Wide(const std::string& ansi);
std::string Ansi(const std::wstring& wide);

// A program the driver started; ended (if still running) when destroyed.
class Process {
 public:
  // Starts the command line in the folder; with capture, its standard output
  // and error are collected.
  static std::unique_ptr<Process> Start(const std::string& command_line, const std::string& folder,
                                        bool capture = false);
  ~Process();

  DWORD id() const { return info_.dwProcessId; }
  // The exit code once the program has ended within the time, else nothing.
  std::optional<DWORD> Wait(DWORD timeout_ms = 10000);
  // What the program wrote, once it has ended (capture only).
  std::string Output();

 private:
  Process() = default;
  PROCESS_INFORMATION info_{};
  HANDLE output_ = nullptr;
};

// Runs a console program of the run folder to its end: exit code and output.
struct Ran {
  DWORD exit_code;
  std::string output;
};
Ran RunToEnd(const std::string& command_line, const std::string& folder);

std::string WindowText(HWND window);
std::string ClassName(HWND window);

// The visible top-level windows of a process.
std::vector<HWND> TopLevelWindows(DWORD process_id);

// The main window (class RIDOZOD) of the process, or null.
HWND FindMainWindow(DWORD process_id);
HWND WaitForMainWindow(DWORD process_id);

// A command dialog of the process, found by its title.
HWND FindDialog(DWORD process_id, const std::string& title);
HWND WaitForDialog(DWORD process_id, const std::string& title);

// A message box: its caption and text.
struct Box {
  HWND window;
  std::string caption;
  std::string text;
};
std::optional<Box> FindMessageBox(DWORD process_id);
// The windows of the open message boxes, not read: cheap enough to poll.
std::vector<HWND> MessageBoxWindows(DWORD process_id);
Box ReadMessageBox(HWND window);
// Every open message box of the process, the topmost (the newest) first.
std::vector<Box> MessageBoxes(DWORD process_id);
std::optional<Box> WaitForMessageBox(DWORD process_id);
// Presses its OK button and waits until it has gone.
bool CloseMessageBox(const Box& box);

// The menu command of the main window, as choosing it in the menu sends it.
void MenuCommand(HWND main_window, int id);
// Replaces a control's text, as typing would.
void SetText(HWND dialog, int id, const std::string& text);
std::string GetText(HWND dialog, int id);
// Whether a check box or radio button is checked.
bool IsChecked(HWND dialog, int id);
// Presses a button with the mouse (BM_CLICK). Posted: the press may open a
// modal box, and the driver must not wait for it to close.
void Click(HWND dialog, int id);
// The items of a list or combo box from the first on, read with its count,
// length and text messages.
std::vector<std::string> ItemTexts(HWND box, UINT count, UINT length, UINT text,
                                   std::size_t first = 0);
// The items of a combo box.
std::vector<std::string> ComboItems(HWND dialog, int id);
// Picks a combo box's item as the user does: selection, then the selection
// change the box tells its dialog. False when no item has the text.
bool Choose(HWND dialog, int id, const std::string& item);

// The CommandLog's lines from the first on (LB_GETCOUNT / LB_GETTEXT), and
// how many it holds (0 when it does not answer).
HWND CommandLog(HWND main_window);
std::vector<std::string> LogLines(HWND main_window, std::size_t first = 0);
std::size_t LogCount(HWND main_window);

// Clicks the middle of a window with the mouse (SendInput).
void MouseClick(HWND window);

// Types a key on the keyboard (SendInput) into the foreground window: down,
// then up, with the virtual key and the scan code.
void TypeKey(HWND window, WORD virtual_key, WORD scan_code);

}  // namespace drive
