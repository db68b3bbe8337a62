#include "ui/win32/win32_front_end.h"

#include <string>

#include "ui/win32/command_menu.h"
#include "ui/win32/win32_dialog.h"

namespace win32 {

namespace {

// PENDING: these come from resources/ once the main window is data there.
constexpr const char* kClassName = "RIDOZOD";
constexpr const char* kTitle = "The RIDOZOD Program for Win95 and WinNT";
constexpr const char* kLogCaption = "Command and Status";
constexpr int kLogX = 270, kLogY = 5, kLogW = 350, kLogH = 200, kLogExtent = 600;

// The device events that the main window hands to the core.
constexpr UINT kFirstDeviceEvent = 0x4201;
constexpr UINT kLastDeviceEvent = 0x4210;

// The scan code of a key message: bits 16 to 23 of its lParam.
unsigned ScanCode(LPARAM lparam) {
  return static_cast<unsigned>((static_cast<std::uintptr_t>(lparam) >> 16) & 0xFF);
}

}  // namespace

void Win32FrontEnd::AppendLog(std::string_view line) {
  if (!log_) return;
  const std::string text(line);
  SendMessageA(log_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32FrontEnd::ShowMessage(std::string_view text, std::string_view caption) {
  const std::string t(text);
  const std::string c(caption);
  // No owner; a null caption gives the system's default "Error".
  MessageBoxA(nullptr, t.c_str(), c.empty() ? nullptr : c.c_str(), MB_OK);
}

int Win32FrontEnd::RunDialog(const res::DialogTemplate& tmpl, ui::DialogProc& proc) {
  Win32Dialog dialog(tmpl, proc);
  return dialog.Run(instance_, main_);
}

void Win32FrontEnd::DestroyMainWindow() {
  if (main_) DestroyWindow(main_);
}

bool Win32FrontEnd::RegisterMainClass() {
  WNDCLASSA existing;
  if (previous_ || GetClassInfoA(instance_, kClassName, &existing)) return true;
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &Win32FrontEnd::Procedure;
  wc.hInstance = instance_;
  wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = nullptr;
  wc.lpszClassName = kClassName;
  return RegisterClassA(&wc) != 0;
}

int Win32FrontEnd::Run(ui::MainWindowProc& proc) {
  proc_ = &proc;
  if (!RegisterMainClass()) return 1;
  HMENU menu = BuildMenu(res::CommandMenu());
  main_ = CreateWindowA(kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, instance_, this);
  ShowWindow(main_, show_);
  UpdateWindow(main_);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  main_ = nullptr;
  log_ = nullptr;
  proc_ = nullptr;
  return static_cast<int>(msg.wParam);
}

void Win32FrontEnd::CreateCommandLog(HWND parent) {
  // A child list box with a caption bar and sizing border of its own, and none
  // of the list-box style flags: it neither sorts nor notifies.
  constexpr DWORD kStyle =
      WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VSCROLL | WS_HSCROLL;
  log_ = CreateWindowA("LISTBOX", kLogCaption, kStyle, kLogX, kLogY, kLogW, kLogH, parent, nullptr,
                       instance_, nullptr);
  SendMessageA(log_, LB_SETHORIZONTALEXTENT, kLogExtent, 0);
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
    case WM_DESTROY:
      PostQuitMessage(0);
      SendMessageA(log_, LB_RESETCONTENT, 0, 0);
      return 0;
    default:
      break;
  }
  if (message >= kFirstDeviceEvent && message <= kLastDeviceEvent) {
    proc_->OnPosted(message, static_cast<std::uint32_t>(wparam),
                    static_cast<std::uint32_t>(lparam));
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace win32
