// The CommandLog's own menu, the same on every front end: on Windows two items
// added to the log window's system menu, in the terminal a small menu opened
// from the log's frame.
#pragma once

namespace res {

struct LogMenuItem {
  // Multiples of 16 below 0xF000: the system leaves those to a window's own
  // system-menu commands.
  int id;
  const char* text;        // UTF-8
  const char* ascii_text;  // where only ASCII can be drawn
};

inline constexpr LogMenuItem kLogCopy{0x0010, "Copy", "Copy"};
inline constexpr LogMenuItem kLogSave{0x0020, "Save log as\u2026", "Save log as..."};

// The caption of the box that asks for the file name, and of the message box
// of a file that cannot be written.
inline constexpr char kLogSaveCaption[] = "Save log as";

}  // namespace res
