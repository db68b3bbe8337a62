#include "resources/templates.h"

#include <array>

namespace res {
namespace {

using K = ControlKind;

// Styles shared by several controls.
constexpr unsigned kLabelStyle = kGroup;
constexpr unsigned kFieldStyle = kBorder | kAutoHScroll | kTabStop;
constexpr unsigned kResourceCombo = kVScroll | kTabStop;
constexpr unsigned kListStyle = kBorder | kVScroll | kHScroll;
constexpr unsigned kButtonStyle = kTabStop | kGroup;
constexpr unsigned kCommandDialog = kPopup | kVisible | kCaption | kSysMenu;
constexpr unsigned kSizableDialog = kCommandDialog | kSizingBorder;

constexpr const char* kFont = "MS Sans Serif";

constexpr std::array<MenuItem, 8> kMenuItems{{
    {kIdInitialize, "PosInitialize"},
    {kIdOpen, "PosOpen      "},
    {kIdClose, "PosClose     "},
    {kIdIoctl, "PosIoctl     "},
    {kIdRead, "PosRead      "},
    {kIdWrite, "PosWrite     "},
    {0, nullptr},
    {kIdExit, "Exit         "},
}};

constexpr std::array<Control, 18> kInitControls{{
    {-1, K::kLabel, "Application name", kLabelStyle, 7, 4, 60, 8},
    {kIdAppName, K::kEdit, "", kFieldStyle, 69, 4, 78, 12},
    {-1, K::kLabel, "Resource File", kLabelStyle, 7, 22, 60, 8},
    {kIdResourceFile, K::kEdit, "", kFieldStyle, 69, 19, 77, 12},
    {-1, K::kLabel, "N Arguments", kLabelStyle, 7, 36, 53, 8},
    {kIdArgCount, K::kEdit, "1", kFieldStyle, 69, 38, 18, 12},
    {kIdArgGroup, K::kGroupBox, "Argument Value", 0, 5, 53, 151, 72},
    {-1, K::kLabel, "Resources List", kLabelStyle, 161, 9, 72, 8},
    {-1, K::kLabel, "Resource", kLabelStyle, 61, 61, 33, 8},
    {-1, K::kLabel, "Type", kLabelStyle, 125, 60, 16, 8},
    {-1, K::kLabel, "Value     ", kLabelStyle, 92, 89, 20, 8},
    {kIdArgResource, K::kComboDropDown, "ARG_RESOURCE", kResourceCombo, 24, 72, 93, 84},
    {kIdArgType, K::kComboDropList, "ARG_TYPE", kResourceCombo, 123, 73, 30, 40},
    {kIdArgValue, K::kEdit, "", kFieldStyle, 83, 100, 67, 12},
    {kIdResourceList, K::kListBox, "RESOURCE_LIST", kListStyle, 161, 21, 75, 109},
    {kIdAddResource, K::kDefPushButton, "Add Resource", kButtonStyle, 14, 105, 50, 14},
    {kIdOk, K::kPushButton, "OK", kButtonStyle, 21, 130, 50, 14},
    {kIdCancel, K::kPushButton, "Cancel", 0, 107, 131, 50, 14},
}};

constexpr std::array<Control, 18> kOpenControls{{
    {-1, K::kLabel, "Device Name", kLabelStyle, 7, 4, 60, 8},
    {kIdDeviceName, K::kEdit, "", kFieldStyle, 69, 4, 74, 12},
    {-1, K::kLabel, "Device Class", kLabelStyle, 7, 22, 60, 8},
    {kIdDeviceClass, K::kComboDropList, "DeviceClass", kResourceCombo, 69, 24, 75, 94},
    {-1, K::kLabel, "N Arguments", kLabelStyle, 7, 36, 53, 8},
    {kIdArgCount, K::kEdit, "0", kFieldStyle, 69, 38, 18, 12},
    {kIdArgGroup, K::kGroupBox, "Argument Value", 0, 5, 53, 151, 72},
    {-1, K::kLabel, "Resources List", kLabelStyle, 161, 9, 72, 8},
    {-1, K::kLabel, "Resource", kLabelStyle, 61, 61, 33, 8},
    {-1, K::kLabel, "Type", kLabelStyle, 125, 60, 16, 8},
    {-1, K::kLabel, "Value     ", kLabelStyle, 92, 89, 20, 8},
    {kIdArgResource, K::kComboDropDown, "ARG_RESOURCE", kResourceCombo, 24, 72, 93, 84},
    {kIdArgType, K::kComboDropList, "ARG_TYPE", kResourceCombo, 123, 72, 30, 40},
    {kIdArgValue, K::kEdit, "", kFieldStyle, 83, 100, 67, 12},
    {kIdResourceList, K::kListBox, "RESOURCE_LIST", kListStyle, 161, 21, 75, 109},
    {kIdAddResource, K::kDefPushButton, "Add Resource", kButtonStyle, 14, 105, 50, 14},
    {kIdOk, K::kPushButton, "OK", kButtonStyle, 21, 130, 50, 14},
    {kIdCancel, K::kPushButton, "Cancel", 0, 107, 131, 50, 14},
}};

constexpr std::array<Control, 18> kIoctlControls{{
    {-1, K::kLabel, "Handle", kLabelStyle, 4, 4, 24, 8},
    {kIdHandle, K::kEdit, "", kFieldStyle, 28, 4, 12, 12},
    {-1, K::kLabel, "Request", kLabelStyle, 64, 7, 30, 8},
    {kIdRequest, K::kComboDropList, "IOCTL_COMBOBOX", kResourceCombo, 97, 5, 138, 72},
    {-1, K::kLabel, "N Arguments", kLabelStyle, 7, 36, 53, 8},
    {kIdArgCount, K::kEdit, "0", kFieldStyle, 69, 38, 18, 12},
    {kIdArgGroup, K::kGroupBox, "Argument Value", 0, 5, 53, 151, 72},
    {-1, K::kLabel, "Resources List", kLabelStyle, 163, 24, 72, 8},
    {-1, K::kLabel, "Resource", kLabelStyle, 61, 61, 33, 8},
    {-1, K::kLabel, "Type", kLabelStyle, 125, 60, 16, 8},
    {-1, K::kLabel, "Value     ", kLabelStyle, 92, 89, 20, 8},
    {kIdArgResource, K::kComboDropDown, "ARG_RESOURCE", kResourceCombo, 24, 72, 93, 84},
    {kIdArgType, K::kComboDropList, "ARG_TYPE", kResourceCombo, 123, 72, 30, 40},
    {kIdArgValue, K::kEdit, "", kFieldStyle, 83, 100, 67, 12},
    {kIdResourceList, K::kListBox, "RESOURCE_LIST", kListStyle, 161, 37, 75, 93},
    {kIdAddResource, K::kDefPushButton, "Add Resource", kButtonStyle, 14, 105, 50, 14},
    {kIdOk, K::kPushButton, "OK", kButtonStyle, 21, 130, 50, 14},
    {kIdCancel, K::kPushButton, "Cancel", 0, 107, 131, 50, 14},
}};

constexpr std::array<Control, 4> kCloseControls{{
    {-1, K::kLabel, "Handle", kLabelStyle, 67, 41, 34, 8},
    {kIdHandle, K::kEdit, "", kFieldStyle, 105, 40, 17, 12},
    {kIdOk, K::kDefPushButton, "OK", kButtonStyle, 21, 130, 50, 14},
    {kIdCancel, K::kPushButton, "Cancel", 0, 107, 131, 50, 14},
}};

constexpr std::array<Control, 8> kReadControls{{
    {-1, K::kLabel, "Handle", kLabelStyle, 11, 10, 35, 8},
    {kIdHandle, K::kEdit, "", kFieldStyle, 55, 8, 16, 12},
    {-1, K::kLabel, "Buffer  Size", kLabelStyle, 8, 29, 39, 8},
    {kIdBufferSize, K::kEdit, "80", kFieldStyle, 55, 27, 25, 12},
    {-1, K::kLabel, "Save Output in File", kLabelStyle, 5, 50, 65, 8},
    {kIdReadFile, K::kEdit, "", kFieldStyle, 72, 48, 115, 12},
    {kIdOk, K::kDefPushButton, "OK", kButtonStyle, 21, 93, 50, 14},
    {kIdCancel, K::kPushButton, "Cancel", kTabStop, 107, 94, 50, 14},
}};

constexpr std::array<Control, 10> kWriteControls{{
    {-1, K::kLabel, "Handle", kLabelStyle, 8, 12, 25, 8},
    {kIdHandle, K::kEdit, "", kFieldStyle, 39, 10, 16, 12},
    {kIdUseListBox, K::kRadioButton, "Using data from List Box", kGroup | kTabStop, 12, 52, 94, 12},
    {kIdUseFile, K::kRadioButton, " Using data from File", 0, 12, 32, 85, 12},
    {-1, K::kLabel, "File Name", kLabelStyle, 113, 21, 60, 8},
    {-1, K::kLabel, "(Maximum 253 bytes)", kLabelStyle, 32, 68, 70, 8},
    {kIdWriteData, K::kMultiLineEdit, "",
     kBorder | kVScroll | kAutoVScroll | kNoHideSel | kTabStop | kGroup, 108, 59, 130, 61},
    {kIdWriteFile, K::kEdit, "", kFieldStyle, 108, 32, 128, 12},
    {kIdOk, K::kDefPushButton, "OK", kButtonStyle, 22, 132, 50, 14},
    {kIdCancel, K::kPushButton, "Cancel", kTabStop, 108, 131, 50, 14},
}};

constexpr Menu kMenu{"ZorAZIMenu", "Pos_Commands", kMenuItems};

constexpr DialogTemplate kInit{
    "DispPosInit", "POS Initialization",        32,    47, 241,
    153,           kSizableDialog | kMaximized, kFont, 8,  kInitControls};
constexpr DialogTemplate kOpen{"DispPosOpen", "POS Open",     32,    47, 241,
                               153,           kSizableDialog, kFont, 8,  kOpenControls};
constexpr DialogTemplate kIoctl{
    "DispPosIoctl", "POS Ioctl", 32, 47, 241, 153, kCommandDialog, kFont, 8, kIoctlControls};
constexpr DialogTemplate kClose{
    "DispPosClose", "POS Close", 32, 47, 241, 153, kCommandDialog, kFont, 8, kCloseControls};
constexpr DialogTemplate kRead{"DispPosRead", "POS Read",     28,    46, 241,
                               116,           kSizableDialog, kFont, 8,  kReadControls};
constexpr DialogTemplate kWrite{
    "DispPosWrite", "POS Write", 32, 47, 241, 153, kSizableDialog, kFont, 8, kWriteControls};

}  // namespace

const Menu& CommandMenu() {
  return kMenu;
}
const DialogTemplate& DispPosInit() {
  return kInit;
}
const DialogTemplate& DispPosOpen() {
  return kOpen;
}
const DialogTemplate& DispPosIoctl() {
  return kIoctl;
}
const DialogTemplate& DispPosClose() {
  return kClose;
}
const DialogTemplate& DispPosRead() {
  return kRead;
}
const DialogTemplate& DispPosWrite() {
  return kWrite;
}

const DialogTemplate* TemplateForCommand(int id) {
  switch (id) {
    case kIdInitialize:
      return &kInit;
    case kIdOpen:
      return &kOpen;
    case kIdClose:
      return &kClose;
    case kIdIoctl:
      return &kIoctl;
    case kIdRead:
      return &kRead;
    case kIdWrite:
      return &kWrite;
    default:
      return nullptr;
  }
}

}  // namespace res
