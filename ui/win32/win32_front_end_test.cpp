// The main window through USER32: a second thread plays the window system's
// side (keys, posted device events, menu commands) and the recorded calls of
// the main window procedure are checked.
#include "ui/win32/win32_front_end.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "ui/win32/window_test.h"

namespace win32 {
namespace {

using Win32FrontEndTest = WindowTest;

constexpr const char* kClass = "RIDOZOD";

struct Recorder : ui::MainWindowProc {
  explicit Recorder(Win32FrontEnd& fe) : fe_(fe) {}
  void OnCommand(int id) override {
    commands.push_back(id);
    if (id == 107) {
      // What the log holds before the window goes, and how it is laid out.
      fe_.AppendLog("second");
      fe_.AppendLog("first");
      fe_.AppendLog("line feed kept\n");
      for (int i = 0; i < 30; ++i) fe_.AppendLog("more lines than the box shows");
      HWND log = fe_.command_log();
      for (LRESULT i = 0; i < 3; ++i) {
        char text[256] = {};
        SendMessageA(log, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        lines.emplace_back(text);
      }
      extent = static_cast<int>(SendMessageA(log, LB_GETHORIZONTALEXTENT, 0, 0));
      RECT r;
      GetWindowRect(log, &r);
      MapWindowPoints(HWND_DESKTOP, fe_.main_window(), reinterpret_cast<POINT*>(&r), 2);
      log_rect = {r.left, r.top, r.right - r.left, r.bottom - r.top};
      char caption[64] = {};
      GetWindowTextA(log, caption, sizeof caption);
      log_caption = caption;
      log_style = static_cast<DWORD>(GetWindowLongA(log, GWL_STYLE));
      fe_.DestroyMainWindow();
    }
  }
  void OnKey(ui::KeyMessage kind, unsigned scan_code) override {
    keys.push_back({kind, scan_code});
  }
  void OnPosted(std::uint32_t message, std::uint32_t wparam, std::uint32_t lparam) override {
    posted.push_back({message, wparam, lparam});
  }

  Win32FrontEnd& fe_;
  std::vector<int> commands;
  std::vector<std::pair<ui::KeyMessage, unsigned>> keys;
  std::vector<std::vector<std::uint32_t>> posted;
  std::vector<std::string> lines;
  int extent = 0;
  std::vector<long> log_rect;
  std::string log_caption;
  DWORD log_style = 0;
};

// The main window of this process (another program's may be open too).
HWND WaitForMainWindow() {
  for (int i = 0; i < 500; ++i) {
    for (HWND w = FindWindowExA(nullptr, nullptr, kClass, nullptr); w;
         w = FindWindowExA(nullptr, w, kClass, nullptr)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == GetCurrentProcessId()) return w;
    }
    Sleep(10);
  }
  return nullptr;
}

TEST_F(Win32FrontEndTest, MainWindowMessagesReachTheCoreAndExitEndsTheLoop) {
  Win32FrontEnd fe(GetModuleHandleA(nullptr), nullptr, SW_SHOWNORMAL);
  Recorder rec(fe);
  std::thread player([] {
    HWND w = WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    // F1 makes no character when the loop translates it; the character
    // message comes on its own. Scan codes are bits 16-23 of lParam.
    PostMessageA(w, WM_KEYDOWN, VK_F1, 0x003B0001);
    PostMessageA(w, WM_CHAR, 'a', 0x001E0001);
    PostMessageA(w, WM_KEYUP, VK_F1, static_cast<LPARAM>(0xC13B0001u));
    // The device events 0x4201 to 0x4210 go to the core, with both parameters whole.
    PostMessageA(w, 0x4200, 1, 2);
    PostMessageA(w, 0x4201, 0xFFFFFFFFu, 0x80000001u);
    PostMessageA(w, 0x420D, 0x00111C00, 1);
    PostMessageA(w, 0x4210, 3, 4);
    PostMessageA(w, 0x4211, 5, 6);
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(999, 0), 0);
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(107, 0), 0);
  });
  const int code = fe.Run(rec);
  player.join();
  EXPECT_EQ(code, 0);
  EXPECT_EQ(rec.commands, (std::vector<int>{999, 107}));
  using K = ui::KeyMessage;
  EXPECT_EQ(rec.keys, (std::vector<std::pair<K, unsigned>>{
                          {K::kKeyDown, 0x3B}, {K::kChar, 0x1E}, {K::kKeyUp, 0x3B}}));
  EXPECT_EQ(rec.posted,
            (std::vector<std::vector<std::uint32_t>>{
                {0x4201, 0xFFFFFFFFu, 0x80000001u}, {0x420D, 0x00111C00, 1}, {0x4210, 3, 4}}));
  // The CommandLog: appended in order, never sorted, the line feed kept.
  EXPECT_EQ(rec.lines, (std::vector<std::string>{"second", "first", "line feed kept\n"}));
  EXPECT_EQ(rec.extent, 600);
  // The box keeps whole lines: its height may shrink to the last whole one.
  ASSERT_EQ(rec.log_rect.size(), 4u);
  EXPECT_EQ((std::vector<long>{rec.log_rect[0], rec.log_rect[1], rec.log_rect[2]}),
            (std::vector<long>{270, 5, 350}));
  EXPECT_LE(rec.log_rect[3], 200);
  EXPECT_GT(rec.log_rect[3], 150);
  EXPECT_EQ(rec.log_caption, "Command and Status");
  const DWORD frame = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VSCROLL | WS_HSCROLL | WS_CHILD;
  EXPECT_EQ(rec.log_style & frame, frame);
  EXPECT_EQ(rec.log_style & (LBS_SORT | LBS_NOTIFY), 0u);
  // The port hands out the window that the POS library posts to.
  EXPECT_EQ(fe.MainWindow(), 0u);  // gone once the loop has ended
}

// GetMessageA as it ends: with WM_QUIT (0) or failing (-1); either way the
// message holds a stale wParam.
BOOL WINAPI QuitWith7(LPMSG msg, HWND, UINT, UINT) {
  msg->message = WM_QUIT;
  msg->wParam = 7;
  return 0;
}
BOOL WINAPI Fails(LPMSG msg, HWND, UINT, UINT) {
  msg->wParam = 7;
  return -1;
}

TEST(Win32MessageLoop, EndsWithTheQuitCodeOrTheFailureCode) {
  EXPECT_EQ(RunMessageLoop(&QuitWith7), 7);
  EXPECT_EQ(RunMessageLoop(&Fails), kWindowSystemFailed);
  EXPECT_NE(kWindowSystemFailed, 0);
}

TEST_F(Win32FrontEndTest, TheClassIsRegisteredOnceAndASecondWindowRuns) {
  // A second run in the same process finds the class already registered.
  for (int run = 0; run < 2; ++run) {
    Win32FrontEnd fe(GetModuleHandleA(nullptr), nullptr, SW_SHOWNORMAL);
    Recorder rec(fe);
    std::thread player([] {
      HWND w = WaitForMainWindow();
      ASSERT_NE(w, nullptr);
      char title[128] = {};
      GetWindowTextA(w, title, sizeof title);
      EXPECT_STREQ(title, "The RIDOZOD Program for Win95 and WinNT");
      // ZorAZIMenu: one popup with the commands in the table's order.
      HMENU bar = GetMenu(w);
      ASSERT_NE(bar, nullptr);
      char text[64] = {};
      GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
      EXPECT_STREQ(text, "Pos_Commands");
      HMENU popup = GetSubMenu(bar, 0);
      std::vector<UINT> ids;
      for (int i = 0; i < GetMenuItemCount(popup); ++i) ids.push_back(GetMenuItemID(popup, i));
      EXPECT_EQ(ids, (std::vector<UINT>{100, 101, 102, 103, 104, 105, 0, 107}));
      EXPECT_EQ(GetMenuState(popup, 6, MF_BYPOSITION) & MF_SEPARATOR, UINT{MF_SEPARATOR});
      GetMenuStringA(popup, 1, text, sizeof text, MF_BYPOSITION);
      EXPECT_STREQ(text, "PosOpen      ");
      PostMessageA(w, WM_CLOSE, 0, 0);  // the close box: the default path ends the program
    });
    EXPECT_EQ(fe.Run(rec), 0);
    player.join();
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), kClass, &wc));
    EXPECT_EQ(wc.style, UINT{CS_HREDRAW | CS_VREDRAW});
    EXPECT_EQ(wc.lpszMenuName, nullptr);
  }
}

// A flood of device events, each appending a line; the log's redrawing is
// counted where it is turned back on.
struct Flood : ui::MainWindowProc {
  explicit Flood(Win32FrontEnd& fe) : fe_(fe) { redraws_on = 0; }
  void OnCommand(int) override {}
  void OnKey(ui::KeyMessage, unsigned) override {}
  void OnPosted(std::uint32_t, std::uint32_t, std::uint32_t lparam) override {
    if (handled++ == 0) {
      first = std::chrono::steady_clock::now();
      list_box = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
          fe_.command_log(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountRedraws)));
    }
    if (lparam != expected++) out_of_order = true;
    fe_.AppendLog("KBD_DOWN (Scancode = 0x1e)");
    last = std::chrono::steady_clock::now();
    if (handled == kEvents) fe_.DestroyMainWindow();
  }
  static constexpr std::uint32_t kEvents = 20000;
  static LRESULT CALLBACK CountRedraws(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_SETREDRAW && wp) ++redraws_on;
    return CallWindowProcA(list_box, w, m, wp, lp);
  }

  Win32FrontEnd& fe_;
  std::uint32_t handled = 0, expected = 0;
  bool out_of_order = false;
  std::chrono::steady_clock::time_point first, last;
  static inline WNDPROC list_box = nullptr;
  static inline int redraws_on = 0;
};

TEST_F(Win32FrontEndTest, AFloodRedrawsTheLogOnlyWhenItIsDueAPaint) {
  // Turning the log's redrawing on repaints its frame and scroll bars, which
  // costs more than a batch of lines: during a flood it is done at the
  // paint interval (50 ms), not after every batch of a few milliseconds.
  constexpr std::uint32_t kEvents = Flood::kEvents;
  Win32FrontEnd fe(GetModuleHandleA(nullptr), nullptr, SW_SHOWNORMAL);
  Flood flood(fe);
  std::thread player([] {
    HWND w = WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    for (std::uint32_t i = 0; i < kEvents; ++i) PostMessageA(w, 0x4202, 0, i);
  });
  EXPECT_EQ(fe.Run(flood), 0);
  player.join();
  EXPECT_EQ(flood.handled, kEvents);
  EXPECT_FALSE(flood.out_of_order);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(flood.last - flood.first).count();
  EXPECT_LE(Flood::redraws_on, ms / 50 + 3) << "in " << ms << " ms";
}

// A box that another program ends by sending it a message: the box's loop
// takes one more message as it ends and drops it.
struct BoxEndedFromOutside : ui::MainWindowProc {
  explicit BoxEndedFromOutside(Win32FrontEnd& fe) : fe_(fe) {}
  static constexpr int kBusy = 901;
  static constexpr const char* kCaption = "ended from outside";
  void OnCommand(int id) override {
    if (id == kBusy) Sleep(300);
  }
  void OnKey(ui::KeyMessage, unsigned) override {}
  void OnPosted(std::uint32_t, std::uint32_t, std::uint32_t lparam) override {
    posted.push_back(lparam);
    if (lparam == 0) fe_.ShowMessage("box", kCaption);
    if (lparam == 2) fe_.DestroyMainWindow();
  }
  Win32FrontEnd& fe_;
  std::vector<std::uint32_t> posted;
};

TEST_F(Win32FrontEndTest, AnEventTakenAsABoxIsEndedFromOutsideIsStillHandled) {
  using P = BoxEndedFromOutside;
  Win32FrontEnd fe(GetModuleHandleA(nullptr), nullptr, SW_SHOWNORMAL);
  P proc(fe);
  std::thread player([] {
    HWND w = WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    PostMessageA(w, 0x4202, 0, 0);
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; ++i, Sleep(10)) box = FindWindowA("#32770", P::kCaption);
    ASSERT_NE(box, nullptr);
    // While the program is busy, an event and the box's end both wait: the
    // end, a sent message, is taken first, then the event is handed to the
    // ending loop.
    PostMessageA(w, WM_COMMAND, P::kBusy, 0);
    Sleep(100);
    PostMessageA(w, 0x4202, 0, 1);
    SendMessageA(box, WM_COMMAND, IDOK, 0);
    PostMessageA(w, 0x4202, 0, 2);
  });
  EXPECT_EQ(fe.Run(proc), 0);
  player.join();
  EXPECT_EQ(proc.posted, (std::vector<std::uint32_t>{0, 1, 2}));
}

}  // namespace
}  // namespace win32
