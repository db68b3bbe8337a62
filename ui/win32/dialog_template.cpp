#include "ui/win32/dialog_template.h"

#include "ui/win32/style_bits.h"

namespace win32 {

namespace {

// The layout the builder writes: fixed headers of 18 bytes, 16-bit words.
static_assert(sizeof(DLGTEMPLATE) == 18 && sizeof(DLGITEMTEMPLATE) == 18);
static_assert(sizeof(WORD) == 2 && sizeof(WCHAR) == 2 && sizeof(DWORD) == 4);
static_assert(alignof(WORD) == 2);

constexpr StyleBit kDialogBits[] = {
    {res::kPopup, WS_POPUP},
    {res::kVisible, WS_VISIBLE},
    {res::kCaption, WS_CAPTION},
    {res::kSysMenu, WS_SYSMENU},
    {res::kSizingBorder, WS_THICKFRAME},
    {res::kMaximized, WS_MAXIMIZE},
};

// Bits that mean the same for every control.
constexpr StyleBit kWindowBits[] = {
    {res::kTabStop, WS_TABSTOP}, {res::kGroup, WS_GROUP},     {res::kBorder, WS_BORDER},
    {res::kVScroll, WS_VSCROLL}, {res::kHScroll, WS_HSCROLL},
};

// Bits of the edit class.
constexpr StyleBit kEditBits[] = {
    {res::kAutoHScroll, ES_AUTOHSCROLL},
    {res::kAutoVScroll, ES_AUTOVSCROLL},
    {res::kWantReturn, ES_WANTRETURN},
    {res::kNoHideSel, ES_NOHIDESEL},
};

// Bits of the combo box class.
constexpr StyleBit kComboBits[] = {{res::kAutoHScroll, CBS_AUTOHSCROLL}};

// The class's own style of each kind of control.
DWORD KindStyle(res::ControlKind kind) {
  using K = res::ControlKind;
  switch (kind) {
    case K::kLabel:
      return SS_LEFT;
    case K::kEdit:
      return ES_LEFT;
    case K::kMultiLineEdit:
      return ES_LEFT | ES_MULTILINE;
    case K::kComboDropDown:
      return CBS_DROPDOWN;
    case K::kComboDropList:
      return CBS_DROPDOWNLIST;
    case K::kListBox:
      return 0;  // no sorting, no notifications
    case K::kPushButton:
      return BS_PUSHBUTTON;
    case K::kDefPushButton:
      return BS_DEFPUSHBUTTON;
    case K::kRadioButton:
      return BS_AUTORADIOBUTTON;
    case K::kGroupBox:
      return BS_GROUPBOX;
  }
  return 0;
}

bool IsEdit(res::ControlKind kind) {
  return kind == res::ControlKind::kEdit || kind == res::ControlKind::kMultiLineEdit;
}

bool IsCombo(res::ControlKind kind) {
  return kind == res::ControlKind::kComboDropDown || kind == res::ControlKind::kComboDropList;
}

class Writer {
 public:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Short(int v) { Word(static_cast<WORD>(static_cast<short>(v))); }
  // A zero-terminated UTF-16 text, converted from the ANSI code page.
  void Text(const char* text) {
    const int n = text[0] ? MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0) : 1;
    const std::size_t at = words_.size();
    words_.resize(at + static_cast<std::size_t>(n), 0);
    if (text[0])
      MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<WCHAR*>(words_.data() + at), n);
  }
  void AlignDword() {
    if (words_.size() % 2) Word(0);
  }
  std::vector<WORD> Take() { return std::move(words_); }

 private:
  std::vector<WORD> words_;
};

}  // namespace

DWORD DialogStyle(const res::DialogTemplate& tmpl) {
  return MapStyle(tmpl.style, kDialogBits) | DS_SETFONT;
}

DWORD ControlStyle(const res::Control& control) {
  DWORD style =
      WS_CHILD | WS_VISIBLE | KindStyle(control.kind) | MapStyle(control.style, kWindowBits);
  if (IsEdit(control.kind)) style |= MapStyle(control.style, kEditBits);
  if (IsCombo(control.kind)) style |= MapStyle(control.style, kComboBits);
  return style;
}

WORD ControlClassAtom(res::ControlKind kind) {
  using K = res::ControlKind;
  switch (kind) {
    case K::kLabel:
      return 0x0082;  // STATIC
    case K::kEdit:
    case K::kMultiLineEdit:
      return 0x0081;  // EDIT
    case K::kComboDropDown:
    case K::kComboDropList:
      return 0x0085;  // COMBOBOX
    case K::kListBox:
      return 0x0083;  // LISTBOX
    case K::kPushButton:
    case K::kDefPushButton:
    case K::kRadioButton:
    case K::kGroupBox:
      return 0x0080;  // BUTTON
  }
  return 0x0082;
}

std::vector<WORD> BuildDialogTemplate(const res::DialogTemplate& tmpl) {
  Writer w;
  w.Dword(DialogStyle(tmpl));
  w.Dword(0);  // extended style
  w.Word(static_cast<WORD>(tmpl.controls.size()));
  w.Short(tmpl.x);
  w.Short(tmpl.y);
  w.Short(tmpl.w);
  w.Short(tmpl.h);
  w.Word(0);  // no menu
  w.Word(0);  // the dialog class
  w.Text(tmpl.title);
  w.Word(static_cast<WORD>(tmpl.point_size));
  w.Text(tmpl.font);
  for (const res::Control& c : tmpl.controls) {
    w.AlignDword();
    w.Dword(ControlStyle(c));
    w.Dword(0);
    w.Short(c.x);
    w.Short(c.y);
    w.Short(c.w);
    w.Short(c.h);
    w.Word(static_cast<WORD>(c.id));  // -1 gives 0xFFFF, the id of labels
    w.Word(0xFFFF);                   // a predefined class follows as an atom
    w.Word(ControlClassAtom(c.kind));
    w.Text(c.text);
    w.Word(0);  // no creation data
  }
  return w.Take();
}

}  // namespace win32
