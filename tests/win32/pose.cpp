// Brings ridozod.exe into a state worth a picture for the README, prints the
// screen rectangle to capture ("x y w h") and keeps the program there until
// the file DONE appears; then ends it. scripts/screenshots.sh takes the picture.
//   ridozod_pose.exe RUN_FOLDER main|menu|dialog|box|logmenu DONE
#include <cstdio>
#include <string>

#include "resources/templates.h"
#include "tests/win32/window_driver.h"

namespace {

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

// A session with some history: initialised, two devices opened, the event
// queue read, a key typed.
bool History(HWND main, DWORD pid) {
  auto none = [](HWND) {};
  auto scanner = [](HWND d) { drive::Choose(d, res::kIdDeviceClass, "PosScanner"); };
  auto queue = [](HWND d) { drive::SetText(d, res::kIdHandle, "0"); };
  if (!Command(main, pid, res::kIdInitialize, "POS Initialization", none, "POS Initialize") ||
      !Command(main, pid, res::kIdOpen, "POS Open", none, "POS Open") ||
      !Command(main, pid, res::kIdOpen, "POS Open", scanner, "POS Open") ||
      !Command(main, pid, res::kIdRead, "POS Read", queue, "POS Read"))
    return false;
  drive::TypeKey(main, 'A', 0x1E);
  // The key is echoed before anything else may take the focus.
  return drive::WaitUntil([&] {
    const std::vector<std::string> log = drive::LogLines(main);
    return !log.empty() && log.back().rfind("KeyUp", 0) == 0;
  });
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
    std::fprintf(stderr, "usage: ridozod_pose RUN_FOLDER main|menu|dialog|box|logmenu DONE\n");
    return 2;
  }
  const std::string run = argv[1];
  const std::string pose = argv[2];
  const std::string done = argv[3];
  std::unique_ptr<drive::Process> program =
      drive::Process::Start("\"" + run + "\\ridozod.exe\"", run);
  if (!program) return Fail("ridozod.exe did not start"), 1;
  const DWORD pid = program->id();
  HWND main = drive::WaitForMainWindow(pid);
  if (!main || !History(main, pid)) return 1;
  HWND extra = nullptr;
  if (pose == "main") {
    // Scrolled to the newest lines, as the user would.
    const auto lines = static_cast<WPARAM>(drive::LogLines(main).size());
    PostMessageW(drive::CommandLog(main), LB_SETTOPINDEX, lines > 8 ? lines - 8 : 0, 0);
  } else if (pose == "menu") {
    // F10 highlights the menu bar, Down opens the popup.
    drive::TypeKey(main, VK_F10, 0x44);
    Sleep(200);
    drive::TypeKey(main, VK_DOWN, 0x50);
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
  } else if (pose == "logmenu") {
    // The CommandLog's system menu, as a click on its icon opens it.
    HWND log = drive::CommandLog(main);
    RECT r;
    GetWindowRect(log, &r);
    PostMessageW(log, WM_SYSCOMMAND, SC_MOUSEMENU | HTSYSMENU, MAKELPARAM(r.left + 8, r.top + 8));
    drive::WaitUntil([&] { return (extra = FindWindowW(L"#32768", nullptr)) != nullptr; });
  }
  Sleep(500);  // let everything paint
  const RECT r = Union(main, extra);
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  std::fflush(stdout);
  drive::WaitUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                   60000);
  return 0;
}
