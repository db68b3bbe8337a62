// The menu and the six command dialog templates, as plain data. Every front end
// builds its windows from these tables; no layout is written twice.
#pragma once

#include <span>

namespace res {

enum class ControlKind {
  kLabel,          // static text
  kEdit,           // single-line edit field
  kMultiLineEdit,  // multi-line edit with word wrap
  kComboDropDown,  // combo box with an edit field
  kComboDropList,  // combo box, selection only
  kListBox,
  kPushButton,
  kDefPushButton,  // the dialog's default button
  kRadioButton,    // automatic radio button
  kGroupBox,
};

// Style flags of a control (the ones the templates use).
enum ControlStyle : unsigned {
  kTabStop = 1u << 0,
  kGroup = 1u << 1,  // starts a new group
  kBorder = 1u << 2,
  kAutoHScroll = 1u << 3,
  kAutoVScroll = 1u << 4,
  kVScroll = 1u << 5,
  kHScroll = 1u << 6,
  kWantReturn = 1u << 7,  // unused: the data box leaves Enter to the dialog
  kNoHideSel = 1u << 8,
};

struct Control {
  int id;  // -1 for labels
  ControlKind kind;
  const char* text;
  unsigned style;
  int x, y, w, h;  // dialog units
};

// Dialog window style flags.
enum DialogStyle : unsigned {
  kCaption = 1u << 0,
  kSysMenu = 1u << 1,
  kSizingBorder = 1u << 2,
  kMaximized = 1u << 3,
  kVisible = 1u << 4,
  kPopup = 1u << 5,
};

struct DialogTemplate {
  const char* name;  // template name, e.g. "DispPosInit"
  const char* title;
  int x, y, w, h;  // dialog units
  unsigned style;
  const char* font;
  int point_size;
  std::span<const Control> controls;  // in tab order
};

// Command ids of the menu.
enum MenuId : int {
  kIdInitialize = 100,
  kIdOpen = 101,
  kIdClose = 102,
  kIdIoctl = 103,
  kIdRead = 104,
  kIdWrite = 105,
  kIdExit = 107,
};

struct MenuItem {
  int id;            // 0 for the separator
  const char* text;  // nullptr for the separator
};

struct Menu {
  const char* name;   // "ZorAZIMenu"
  const char* popup;  // "Pos_Commands"
  std::span<const MenuItem> items;
};

const Menu& CommandMenu();

const DialogTemplate& DispPosInit();
const DialogTemplate& DispPosOpen();
const DialogTemplate& DispPosIoctl();
const DialogTemplate& DispPosClose();
const DialogTemplate& DispPosRead();
const DialogTemplate& DispPosWrite();

// The template of a menu command id 100..105, or nullptr.
const DialogTemplate* TemplateForCommand(int id);

// Control ids shared by the templates.
enum ControlId : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdAppName = 200,
  kIdResourceFile = 201,
  kIdArgCount = 202,
  kIdDeviceClass = 203,
  kIdArgResource = 204,
  kIdArgType = 205,
  kIdArgValue = 206,
  kIdAddResource = 207,
  kIdResourceList = 208,
  kIdArgGroup = 222,
  kIdDeviceName = 223,
  kIdHandle = 224,
  kIdBufferSize = 225,
  kIdRequest = 229,
  kIdUseListBox = 231,
  kIdUseFile = 232,
  kIdWriteData = 233,
  kIdWriteFile = 234,
  kIdReadFile = 235,
};

}  // namespace res
