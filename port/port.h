// The window-system port: everything the core asks of a front end. The core
// (app/, dialogs/, names/, files/, posapi/) sees the window system only here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "resources/templates.h"

namespace ui {

// A window as the POS library sees it: the value passed as "queueHandle".
using WindowHandle = std::uintptr_t;

// Texts read from dialog fields hold at most 253 characters, as on Windows
// (a 254-byte buffer); some fields are read with a smaller room.
inline constexpr std::size_t kFieldRoom = 254;

// Notification codes of a command message.
inline constexpr int kNotifyClicked = 0;    // a button press
inline constexpr int kNotifySelChange = 1;  // a combo box selection change

// A running modal dialog, as its dialog procedure sees it. Control ids are
// those of the template. Calls on an id the template lacks do nothing.
class Dialog {
 public:
  virtual ~Dialog() = default;

  // The control's text, at most room - 1 characters (a combo box: the text of
  // its edit field or of its selected item).
  virtual std::string GetText(int id, std::size_t room = kFieldRoom) = 0;
  virtual void SetText(int id, std::string_view text) = 0;

  // Combo and list boxes.
  virtual void ResetContent(int id) = 0;
  virtual void AddString(int id, std::string_view text) = 0;
  virtual void SetCurSel(int id, int index) = 0;  // also sets a combo's edit text
  virtual int GetCount(int id) = 0;
  virtual void SetHorizontalExtent(int id, int pixels) = 0;

  // Radio buttons.
  virtual bool IsChecked(int id) = 0;
  virtual void CheckRadioButton(int first_id, int last_id, int checked_id) = 0;

  // Multi-line edit: lines as the box shows them (typed line ends and word wrap).
  virtual int GetLineCount(int id) = 0;
  virtual int GetLineLength(int id, int line) = 0;
  virtual std::string GetLine(int id, int line, std::size_t room) = 0;

  // Ends the modal loop once the current message has been handled.
  virtual void End(int result) = 0;
};

// The core's dialog procedure of one template.
class DialogProc {
 public:
  virtual ~DialogProc() = default;
  virtual void OnInit(Dialog& dialog) = 0;
  // A command message: control id and notification code. The close box and
  // Esc arrive as the command kIdCancel.
  virtual void OnCommand(Dialog& dialog, int id, int notify) = 0;
};

// Raw keyboard messages of the main window.
enum class KeyMessage { kKeyDown, kChar, kKeyUp };

// The main window procedure, implemented by app/.
class MainWindowProc {
 public:
  virtual ~MainWindowProc() = default;
  // A menu command (ids of res::CommandMenu()).
  virtual void OnCommand(int id) = 0;
  // A key message with its PC set-1 scan code.
  virtual void OnKey(KeyMessage kind, unsigned scan_code) = 0;
  // A message posted to the main window (device events 0x4201..0x4216 and any
  // other posted code). Runs on the user-interface thread.
  virtual void OnPosted(std::uint32_t message, std::uint32_t wparam, std::uint32_t lparam) = 0;
};

// The window system, as the core uses it.
class Port {
 public:
  virtual ~Port() = default;

  // Appends a line to the CommandLog ("Command and Status"). The line may hold
  // any bytes; the front end draws control bytes with a visible stand-in.
  virtual void AppendLog(std::string_view line) = 0;

  // A modal message box with an OK button and no owner. An empty caption means
  // the system's default error caption "Error". Posted messages keep being
  // dispatched to the main window while the box is open.
  virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;

  // Runs a modal dialog from a template until the procedure ends it; returns
  // its result. Posted messages keep being dispatched meanwhile.
  virtual int RunDialog(const res::DialogTemplate& tmpl, DialogProc& proc) = 0;

  // The main window's handle, the value of the "queueHandle" resource.
  virtual WindowHandle MainWindow() const = 0;

  // Destroys the main window: the message loop ends with exit code 0.
  virtual void DestroyMainWindow() = 0;
};

// A front end: the port, plus the main window and its message loop.
class FrontEnd : public Port {
 public:
  // Creates the main window with the menu and the CommandLog, and runs the
  // message loop until the main window is destroyed. Returns the exit code.
  virtual int Run(MainWindowProc& proc) = 0;
};

// Modal windows (message boxes and dialogs) open at once beyond which a
// front end leaves posted messages waiting, in order, until one closes: a
// burst of events that each open a message box stacks at most this many
// boxes instead of nesting one loop per event without bound (which would
// exhaust the stack). Nothing is dropped.
inline constexpr std::size_t kMaxModalDepth = 32;

// The default error caption of a message box without a caption of its own.
inline constexpr std::string_view kDefaultErrorCaption = "Error";

}  // namespace ui
