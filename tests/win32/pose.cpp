// Brings ridozod.exe into a state worth a picture for the README, prints the
// screen rectangle to capture ("x y w h") and keeps the program there until
// the file DONE appears; then ends it. scripts/screenshots.sh takes the picture.
//   ridozod_pose.exe RUN_FOLDER main|menu|dialog|box DONE
#include <cstdio>
#include <string>

#include "resources/templates.h"
#include "tests/win32/window_driver.h"

namespace {

std::string g_run;

bool Fail(const char* what) {
  std::fprintf(stderr, "ridozod_pose: %s\n", what);
  return false;
}

bool CloseBox(DWORD pid, const char* caption) {
  const std::optional<drive::Box> box = drive::WaitForMessageBox(pid);
  if (!box || box->caption != caption) return Fail(caption);
  return drive::CloseMessageBox(*box);
}

// Runs a dialog from the menu to its success box: fill sets its fields.
template <class Fill>
bool Command(HWND main, DWORD pid, int id, const char* title, Fill fill, const char* caption) {
  drive::MenuCommand(main, id);
  HWND d = drive::WaitForDialog(pid, title);
  if (!d) return Fail(title);
  fill(d);
  drive::Click(d, res::kIdOk);
  return CloseBox(pid, caption);
}

// A session with some history: initialised, two devices open, a label
// scanned, a key typed.
bool History(HWND main, DWORD pid) {
  auto none = [](HWND) {};
  auto scanner = [](HWND d) { drive::Choose(d, res::kIdDeviceClass, "PosScanner"); };
  if (!Command(main, pid, res::kIdInitialize, "POS Initialization", none, "POS Initialize") ||
      !Command(main, pid, res::kIdOpen, "POS Open", none, "POS Open") ||
      !Command(main, pid, res::kIdOpen, "POS Open", scanner, "POS Open"))
    return false;
  drive::RunToEnd("\"" + g_run + "\\posimctl.exe\" scan 4006381333931", g_run);
  if (!CloseBox(pid, "SCANNER Message")) return false;
  return Command(
      main, pid, res::kIdRead, "POS Read", [](HWND d) { drive::SetText(d, res::kIdHandle, "2"); },
      "POS Read");
}

RECT Union(HWND a, HWND b) {
  RECT ra, rb, u;
  GetWindowRect(a, &ra);
  if (!b) return ra;
  GetWindowRect(b, &rb);
  UnionRect(&u, &ra, &rb);
  return u;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: ridozod_pose RUN_FOLDER main|menu|dialog|box DONE\n");
    return 2;
  }
  g_run = argv[1];
  const std::string pose = argv[2];
  const std::string done = argv[3];
  std::unique_ptr<drive::Process> program =
      drive::Process::Start("\"" + g_run + "\\ridozod.exe\"", g_run);
  if (!program) return Fail("ridozod.exe did not start"), 1;
  const DWORD pid = program->id();
  HWND main = drive::WaitForMainWindow(pid);
  if (!main || !History(main, pid)) return 1;
  HWND extra = nullptr;
  if (pose == "menu") {
    // Opens the menu as a click on "Pos_Commands" does.
    RECT item;
    GetMenuItemRect(main, GetMenu(main), 0, &item);
    SetCursorPos((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SetForegroundWindow(main);
    SendInput(2, click, sizeof(INPUT));
    Sleep(500);
  } else if (pose == "dialog") {
    drive::MenuCommand(main, res::kIdOpen);
    extra = drive::WaitForDialog(pid, "POS Open");
    if (!extra) return Fail("POS Open"), 1;
    drive::Choose(extra, res::kIdDeviceClass, "PosScanner");
    Sleep(200);
    drive::SetText(extra, res::kIdArgResource, "PosNbeepVolume");
    drive::Choose(extra, res::kIdArgType, "Dec         ");
    drive::SetText(extra, res::kIdArgValue, "7");
    drive::Click(extra, res::kIdAddResource);
  } else if (pose == "box") {
    drive::MenuCommand(main, res::kIdClose);
    HWND d = drive::WaitForDialog(pid, "POS Close");
    if (!d) return Fail("POS Close"), 1;
    drive::SetText(d, res::kIdHandle, "9");
    drive::Click(d, res::kIdOk);
    const std::optional<drive::Box> box = drive::WaitForMessageBox(pid);
    if (!box) return Fail("no box"), 1;
    extra = box->window;
  }
  Sleep(500);  // let everything paint
  const RECT r = Union(main, extra);
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  std::fflush(stdout);
  drive::WaitUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                   60000);
  return 0;
}
