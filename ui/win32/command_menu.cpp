#include "ui/win32/command_menu.h"

namespace win32 {

HMENU BuildMenu(const res::Menu& menu) {
  HMENU popup = CreatePopupMenu();
  for (const res::MenuItem& item : menu.items) {
    if (item.text)
      AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
    else
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  }
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.popup);
  return bar;
}

}  // namespace win32
