// The main window as data: its class, title and styles, and the CommandLog
// child that it creates. Every front end builds its main window from this.
#pragma once

namespace res {

// Window style flags (the ones the main window and the CommandLog use).
enum WindowStyle : unsigned {
  kWindowCaption = 1u << 0,
  kWindowSysMenu = 1u << 1,
  kWindowSizingBorder = 1u << 2,
  kWindowMinimizeBox = 1u << 3,
  kWindowMaximizeBox = 1u << 4,
  kWindowChild = 1u << 5,
  kWindowVisible = 1u << 6,
  kWindowVScroll = 1u << 7,
  kWindowHScroll = 1u << 8,
};

// Window class style flags.
enum ClassStyle : unsigned {
  kClassRedrawOnHResize = 1u << 0,
  kClassRedrawOnVResize = 1u << 1,
};

// A child list box: no list-box style flags, so it neither sorts nor notifies.
struct LogWindow {
  const char* caption;
  unsigned style;
  int x, y, w, h;         // pixels, in the main window's client area
  int horizontal_extent;  // pixels
};

// The class has the system's default application icon and arrow cursor, a
// white background and no class menu; the window takes the default position
// and size, has no owner and carries the menu CommandMenu().
struct MainWindowTemplate {
  const char* class_name;
  unsigned class_style;
  const char* title;
  unsigned style;
  LogWindow command_log;
};

inline constexpr unsigned kOverlappedWindow =
    kWindowCaption | kWindowSysMenu | kWindowSizingBorder | kWindowMinimizeBox | kWindowMaximizeBox;

inline constexpr MainWindowTemplate kMainWindow{
    "RIDOZOD",
    kClassRedrawOnHResize | kClassRedrawOnVResize,
    "The RIDOZOD Program for Win95 and WinNT",
    kOverlappedWindow,
    {"Command and Status",
     kWindowChild | kWindowVisible | kWindowCaption | kWindowSysMenu | kWindowSizingBorder |
         kWindowVScroll | kWindowHScroll,
     270, 5, 350, 200, 600},
};

}  // namespace res
