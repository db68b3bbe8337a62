#include "ui/win32/win32_front_end.h"

#include <cstdint>
#include <string>

#include "codes/pos_codes.h"
#include "resources/main_window.h"
#include "ui/win32/command_menu.h"
#include "ui/win32/log_menu.h"
#include "ui/win32/style_bits.h"
#include "ui/win32/win32_dialog.h"

namespace win32 {

namespace {

// The main window's handle goes to the POS library as a number ("queueHandle")
// and the front end rides in the window's user data: both must fit, on 32-bit
// and 64-bit Windows alike.
static_assert(sizeof(ui::WindowHandle) == sizeof(HWND));
static_assert(sizeof(LONG_PTR) == sizeof(Win32FrontEnd*));
// Device events carry 32-bit parameters, whatever the width of WPARAM and LPARAM.
static_assert(sizeof(WPARAM) >= sizeof(std::uint32_t) && sizeof(LPARAM) >= sizeof(std::uint32_t));

constexpr const res::MainWindowTemplate& kMain = res::kMainWindow;
constexpr const res::LogWindow& kLog = res::kMainWindow.command_log;

constexpr StyleBit kWindowBits[] = {
    {res::kWindowCaption, WS_CAPTION},         {res::kWindowSysMenu, WS_SYSMENU},
    {res::kWindowSizingBorder, WS_THICKFRAME}, {res::kWindowMinimizeBox, WS_MINIMIZEBOX},
    {res::kWindowMaximizeBox, WS_MAXIMIZEBOX}, {res::kWindowChild, WS_CHILD},
    {res::kWindowVisible, WS_VISIBLE},         {res::kWindowVScroll, WS_VSCROLL},
    {res::kWindowHScroll, WS_HSCROLL},
};

constexpr StyleBit kClassBits[] = {
    {res::kClassRedrawOnHResize, CS_HREDRAW},
    {res::kClassRedrawOnVResize, CS_VREDRAW},
};

// The device events that the main window hands to the core.
constexpr UINT kFirstDeviceEvent = POSM_KBD_STATUS_CHANGE;
constexpr UINT kLastDeviceEvent = POSM_PRN_DATA_AVAIL;

// The scan code of a key message: bits 16 to 23 of its lParam.
unsigned ScanCode(LPARAM lparam) {
  return static_cast<unsigned>((static_cast<std::uintptr_t>(lparam) >> 16) & 0xFF);
}

}  // namespace

int RunMessageLoop(GetMessageFunction get) {
  MSG msg;
  BOOL got;
  while ((got = get(&msg, nullptr, 0, 0)) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // -1: the message was never filled in.
  return got == 0 ? static_cast<int>(msg.wParam) : kWindowSystemFailed;
}

template <typename Body>
auto Win32FrontEnd::Modal(Body body) {
  if (modal_open_++ == 0) watch_.Watch(true, [this] { drain_.Guard(true); });
  const auto result = body();
  if (--modal_open_ == 0) {
    watch_.Watch(false);
    drain_.Guard(false);
  }
  // Events that waited for a box to close go on in whatever loop runs now.
  drain_.Wake();
  return result;
}

bool Win32FrontEnd::MayHandleEvents() const {
  return modal_open_ < ui::kMaxModalDepth;
}

void Win32FrontEnd::AppendLog(std::string_view line) {
  if (!log_) return;
  const std::string text(line);
  SendMessageA(log_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32FrontEnd::ShowMessage(std::string_view text, std::string_view caption) {
  const std::string t(text);
  const std::string c(caption);
  // No owner; a null caption gives the system's default "Error".
  Modal([&] { return MessageBoxA(nullptr, t.c_str(), c.empty() ? nullptr : c.c_str(), MB_OK); });
}

int Win32FrontEnd::RunDialog(const res::DialogTemplate& tmpl, ui::DialogProc& proc) {
  Win32Dialog dialog(tmpl, proc);
  return Modal([&] { return dialog.Run(instance_, main_); });
}

void Win32FrontEnd::DestroyMainWindow() {
  if (main_) DestroyWindow(main_);
}

bool Win32FrontEnd::RegisterMainClass() {
  WNDCLASSA existing;
  if (previous_ || GetClassInfoA(instance_, kMain.class_name, &existing)) return true;
  WNDCLASSA wc{};
  wc.style = MapStyle(kMain.class_style, kClassBits);
  wc.lpfnWndProc = &Win32FrontEnd::Procedure;
  wc.hInstance = instance_;
  wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = nullptr;
  wc.lpszClassName = kMain.class_name;
  return RegisterClassA(&wc) != 0;
}

int Win32FrontEnd::Run(ui::MainWindowProc& proc) {
  proc_ = &proc;
  if (!RegisterMainClass()) return kWindowSystemFailed;
  HMENU menu = BuildMenu(res::CommandMenu());
  main_ = CreateWindowA(kMain.class_name, kMain.title, MapStyle(kMain.style, kWindowBits),
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu,
                        instance_, this);
  // Without a window the loop would never end (no display, say).
  if (!main_) return kWindowSystemFailed;
  ShowWindow(main_, show_);
  UpdateWindow(main_);
  const int code = RunMessageLoop();
  main_ = nullptr;
  log_ = nullptr;
  proc_ = nullptr;
  return code;
}

void Win32FrontEnd::CreateCommandLog(HWND parent) {
  // None of the list-box style flags: it neither sorts nor notifies.
  log_ = CreateWindowA("LISTBOX", kLog.caption, MapStyle(kLog.style, kWindowBits), kLog.x, kLog.y,
                       kLog.w, kLog.h, parent, nullptr, instance_, nullptr);
  SendMessageA(log_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(kLog.horizontal_extent), 0);
  AddLogMenu(log_, *this);
}

LRESULT CALLBACK Win32FrontEnd::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32FrontEnd*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wparam, lparam);
  return self->Handle(window, message, wparam, lparam);
}

LRESULT Win32FrontEnd::Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      main_ = window;
      CreateCommandLog(window);
      drain_.Attach(window, log_, kFirstDeviceEvent, kLastDeviceEvent);
      return 0;
    case WM_COMMAND:
      proc_->OnCommand(LOWORD(wparam));
      if (IsWindow(window)) DrawMenuBar(window);
      return 0;
    case WM_KEYDOWN:
      proc_->OnKey(ui::KeyMessage::kKeyDown, ScanCode(lparam));
      return 0;
    case WM_KEYUP:
      proc_->OnKey(ui::KeyMessage::kKeyUp, ScanCode(lparam));
      return 0;
    case WM_CHAR:
      proc_->OnKey(ui::KeyMessage::kChar, ScanCode(lparam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_TIMER:
      if (wparam != PostDrain::kRedrawTimer) break;
      drain_.RedrawDue();
      return 0;
    case PostDrain::kContinue:
      drain_.Continue(*proc_, MayHandleEvents());
      return 0;
    case WM_DESTROY:
      // The program ends: events still waiting are not handled.
      drain_.Clear();
      PostQuitMessage(0);
      SendMessageA(log_, LB_RESETCONTENT, 0, 0);
      return 0;
    default:
      break;
  }
  if (message >= kFirstDeviceEvent && message <= kLastDeviceEvent) {
    drain_.Take(message, wparam, lparam, *proc_, MayHandleEvents());
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace win32
