// The CommandLog's system menu items: their place and texts, and what Copy
// puts on the clipboard with a line selected and without.
#include "ui/win32/log_menu.h"

#include <gtest/gtest.h>

#include <string>

#include "resources/log_menu.h"
#include "ui/scripted/scripted_port.h"
#include "ui/win32/window_test.h"

namespace win32 {
namespace {

using LogMenuTest = WindowTest;

std::string ClipboardText(HWND owner) {
  std::string text = "(no text)";
  if (!OpenClipboard(owner)) return "(clipboard busy)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::wstring ItemText(HMENU menu, int position) {
  wchar_t text[64] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
  return text;
}

TEST_F(LogMenuTest, TwoItemsOnTheSystemMenuCopyTakesTheSelectedLineOrAll) {
  HWND parent = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 700, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  HWND log = CreateWindowA("LISTBOX", "Command and Status",
                           WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_VSCROLL, 10, 10,
                           350, 200, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(log);
  ui::ScriptedPort port;
  AddLogMenu(log, port);
  for (const char* line : {"Command-->  PosClose(1)  ", "KeyDown ScanCode from KeyBoard = 1e \n",
                           "  RC = -1, errno = (302) POSERR_SYS_NOT_INITIALIZED  "})
    SendMessageA(log, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));

  HMENU menu = GetSystemMenu(log, FALSE);
  const int count = GetMenuItemCount(menu);
  ASSERT_GE(count, 3);
  EXPECT_EQ(GetMenuItemID(menu, count - 2), static_cast<UINT>(res::kLogCopy.id));
  EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(res::kLogSave.id));
  EXPECT_EQ(ItemText(menu, count - 2), L"Copy");
  EXPECT_EQ(ItemText(menu, count - 1), L"Save log as\u2026");

  const struct {
    int selected;
    WPARAM command;  // the system may set the four low bits
    const char* text;
  } cases[] = {
      {-1, static_cast<WPARAM>(res::kLogCopy.id),
       "Command-->  PosClose(1)  \r\nKeyDown ScanCode from KeyBoard = 1e \n\r\n"
       "  RC = -1, errno = (302) POSERR_SYS_NOT_INITIALIZED  "},
      {1, static_cast<WPARAM>(res::kLogCopy.id) | 2, "KeyDown ScanCode from KeyBoard = 1e \n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selected);
    SendMessageA(log, LB_SETCURSEL, static_cast<WPARAM>(c.selected), 0);
    SendMessageA(log, WM_SYSCOMMAND, c.command, 0);
    EXPECT_EQ(ClipboardText(parent), c.text);
  }
  // Close is greyed and refused: the log outlives its system menu.
  EXPECT_TRUE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  SendMessageA(log, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindow(log));
  // The list box's own handling goes on: the lines are as they were.
  EXPECT_EQ(SendMessageA(log, LB_GETCOUNT, 0, 0), 3);
  EXPECT_TRUE(port.Boxes().empty());
  DestroyWindow(parent);
}

}  // namespace
}  // namespace win32
