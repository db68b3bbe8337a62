// The in-memory templates read back word by word: the window styles, classes,
// ids and texts that USER32 gets for each of the six command dialogs.
#include "ui/win32/dialog_template.h"

#include <gtest/gtest.h>

#include <string>

namespace win32 {
namespace {

// One control as the template carries it.
struct Item {
  DWORD style;
  int x, y, w, h;
  WORD id;
  WORD atom;
  std::string text;
};

struct Parsed {
  DWORD style;
  int x, y, w, h;
  std::string title;
  int point_size;
  std::string font;
  std::vector<Item> items;
};

class Reader {
 public:
  explicit Reader(const std::vector<WORD>& w) : w_(w) {}
  WORD Word() { return w_.at(at_++); }
  DWORD Dword() {
    const WORD lo = Word();
    return MAKELONG(lo, Word());
  }
  int Short() { return static_cast<short>(Word()); }
  std::string Text() {
    std::string s;
    for (WORD c = Word(); c != 0; c = Word()) s += static_cast<char>(c < 0x100 ? c : '?');
    return s;
  }
  std::size_t at() const { return at_; }

 private:
  const std::vector<WORD>& w_;
  std::size_t at_ = 0;
};

Parsed Parse(const std::vector<WORD>& words) {
  Reader r(words);
  Parsed p{};
  p.style = r.Dword();
  EXPECT_EQ(r.Dword(), 0u);
  const int count = r.Word();
  p.x = r.Short();
  p.y = r.Short();
  p.w = r.Short();
  p.h = r.Short();
  EXPECT_EQ(r.Word(), 0) << "menu";
  EXPECT_EQ(r.Word(), 0) << "class";
  p.title = r.Text();
  p.point_size = r.Word();
  p.font = r.Text();
  for (int i = 0; i < count; ++i) {
    if (r.at() % 2) {
      EXPECT_EQ(r.Word(), 0) << "padding to a DWORD boundary";
    }
    Item item{};
    item.style = r.Dword();
    EXPECT_EQ(r.Dword(), 0u);
    item.x = r.Short();
    item.y = r.Short();
    item.w = r.Short();
    item.h = r.Short();
    item.id = r.Word();
    EXPECT_EQ(r.Word(), 0xFFFF);
    item.atom = r.Word();
    item.text = r.Text();
    EXPECT_EQ(r.Word(), 0) << "creation data";
    p.items.push_back(item);
  }
  EXPECT_EQ(r.at(), words.size());
  return p;
}

const Item* FindItem(const Parsed& p, WORD id) {
  for (const Item& i : p.items)
    if (i.id == id) return &i;
  return nullptr;
}

constexpr DWORD kCommon = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT;

struct DialogCase {
  const res::DialogTemplate& (*get)();
  const char* title;
  DWORD style;
  int x, y, w, h;
  int controls;
  WORD default_button;
};

const DialogCase kDialogs[] = {
    {res::DispPosInit, "POS Initialization", kCommon | WS_THICKFRAME | WS_MAXIMIZE, 32, 47, 241,
     153, 18, 207},
    {res::DispPosOpen, "POS Open", kCommon | WS_THICKFRAME, 32, 47, 241, 153, 18, 207},
    {res::DispPosIoctl, "POS Ioctl", kCommon, 32, 47, 241, 153, 18, 207},
    {res::DispPosClose, "POS Close", kCommon, 32, 47, 241, 153, 4, IDOK},
    {res::DispPosRead, "POS Read", kCommon | WS_THICKFRAME, 28, 46, 241, 116, 8, IDOK},
    {res::DispPosWrite, "POS Write", kCommon | WS_THICKFRAME, 32, 47, 241, 153, 10, IDOK},
};

TEST(DialogTemplate, HeaderFontAndOneDefaultButtonPerDialog) {
  for (const DialogCase& c : kDialogs) {
    SCOPED_TRACE(c.title);
    const Parsed p = Parse(BuildDialogTemplate(c.get()));
    EXPECT_EQ(p.style, c.style);
    EXPECT_EQ(p.title, c.title);
    EXPECT_EQ((std::vector<int>{p.x, p.y, p.w, p.h}), (std::vector<int>{c.x, c.y, c.w, c.h}));
    EXPECT_EQ(p.point_size, 8);
    EXPECT_EQ(p.font, "MS Sans Serif");
    ASSERT_EQ(static_cast<int>(p.items.size()), c.controls);
    int defaults = 0;
    for (const Item& i : p.items) {
      EXPECT_EQ(i.style & (WS_CHILD | WS_VISIBLE), DWORD{WS_CHILD | WS_VISIBLE});
      if (i.atom == 0x0080 && (i.style & 0x0F) == BS_DEFPUSHBUTTON) {
        ++defaults;
        EXPECT_EQ(i.id, c.default_button);
      }
    }
    EXPECT_EQ(defaults, 1);
    // Labels are static texts with id -1 that start a group and take no tab.
    for (const Item& i : p.items) {
      if (i.atom != 0x0082) continue;
      EXPECT_EQ(i.id, 0xFFFF);
      EXPECT_EQ(i.style & (WS_GROUP | WS_TABSTOP), DWORD{WS_GROUP});
    }
  }
}

TEST(DialogTemplate, FirstControlsAsInTheTemplateOrder) {
  const Parsed p = Parse(BuildDialogTemplate(res::DispPosInit()));
  ASSERT_GE(p.items.size(), 2u);
  EXPECT_EQ(p.items[0].text, "Application name");
  EXPECT_EQ((std::vector<int>{p.items[0].x, p.items[0].y, p.items[0].w, p.items[0].h}),
            (std::vector<int>{7, 4, 60, 8}));
  EXPECT_EQ(p.items[1].id, 200);
  EXPECT_EQ(p.items[1].atom, 0x0081);
  EXPECT_EQ((std::vector<int>{p.items[1].x, p.items[1].y, p.items[1].w, p.items[1].h}),
            (std::vector<int>{69, 4, 78, 12}));
  const Item* count = FindItem(p, 202);
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->text, "1");
}

// Controls whose class style the dialogs rely on.
struct ControlCase {
  const res::DialogTemplate& (*get)();
  WORD id;
  WORD atom;
  DWORD must;      // bits that must be set
  DWORD mustnt;    // bits that must be clear
  DWORD low_bits;  // the class's kind in the style's low bits, compared under kind_mask
  DWORD kind_mask;
};

const ControlCase kControls[] = {
    // Fields: border, horizontal scrolling, tab stop.
    {res::DispPosInit, 200, 0x0081, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, ES_MULTILINE, 0, 0},
    {res::DispPosClose, 224, 0x0081, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, ES_MULTILINE, 0, 0},
    // The Write dialog's data box: Enter is left to the dialog, lines wrap.
    {res::DispPosWrite, 233, 0x0081,
     ES_MULTILINE | WS_BORDER | WS_VSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL | WS_TABSTOP,
     ES_WANTRETURN | ES_AUTOHSCROLL | WS_HSCROLL, 0, 0},
    // The Resource combo box takes typing but does not scroll; Type is a list.
    {res::DispPosOpen, 204, 0x0085, WS_VSCROLL | WS_TABSTOP, CBS_AUTOHSCROLL | CBS_SORT,
     CBS_DROPDOWN, 0x3},
    {res::DispPosOpen, 205, 0x0085, WS_VSCROLL | WS_TABSTOP, CBS_SORT, CBS_DROPDOWNLIST, 0x3},
    {res::DispPosOpen, 203, 0x0085, WS_VSCROLL | WS_TABSTOP, CBS_SORT, CBS_DROPDOWNLIST, 0x3},
    {res::DispPosIoctl, 229, 0x0085, WS_VSCROLL | WS_TABSTOP, CBS_SORT, CBS_DROPDOWNLIST, 0x3},
    // The resources list: no sorting, no notifications, not a tab stop.
    {res::DispPosIoctl, 208, 0x0083, WS_BORDER | WS_VSCROLL | WS_HSCROLL,
     LBS_SORT | LBS_NOTIFY | WS_TABSTOP, 0, 0},
    // Radio buttons of the Write dialog: the first starts the group.
    {res::DispPosWrite, 231, 0x0080, WS_GROUP | WS_TABSTOP, 0, BS_AUTORADIOBUTTON, 0xF},
    {res::DispPosWrite, 232, 0x0080, 0, WS_GROUP, BS_AUTORADIOBUTTON, 0xF},
    // Cancel is no tab stop in the dialogs that say so; OK starts a group.
    {res::DispPosInit, IDCANCEL, 0x0080, 0, WS_TABSTOP, BS_PUSHBUTTON, 0xF},
    {res::DispPosClose, IDCANCEL, 0x0080, 0, WS_TABSTOP, BS_PUSHBUTTON, 0xF},
    {res::DispPosInit, IDOK, 0x0080, WS_TABSTOP | WS_GROUP, 0, BS_PUSHBUTTON, 0xF},
    {res::DispPosIoctl, 222, 0x0080, 0, WS_TABSTOP, BS_GROUPBOX, 0xF},
};

TEST(DialogTemplate, ControlClassesAndStyles) {
  for (const ControlCase& c : kControls) {
    const Parsed p = Parse(BuildDialogTemplate(c.get()));
    SCOPED_TRACE(p.title + " control " + std::to_string(c.id));
    const Item* item = FindItem(p, c.id);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->atom, c.atom);
    EXPECT_EQ(item->style & c.must, c.must);
    EXPECT_EQ(item->style & c.mustnt, 0u);
    if (c.kind_mask) {
      EXPECT_EQ(item->style & c.kind_mask, c.low_bits);
    }
  }
}

TEST(DialogTemplate, TextsComeFromTheAnsiCodePage) {
  // A control text with a byte above 0x7F reaches the template as its
  // character in the ANSI code page (1252 here: 0xE9 is U+00E9).
  static const res::Control kControls[] = {
      {-1, res::ControlKind::kLabel, "caf\xe9", res::kGroup, 1, 2, 3, 4}};
  const res::DialogTemplate tmpl{"T", "t",      0, 0, 10, 10, res::kPopup, "MS Sans Serif",
                                 8,   kControls};
  const std::vector<WORD> words = BuildDialogTemplate(tmpl);
  const Parsed p = Parse(words);
  ASSERT_EQ(p.items.size(), 1u);
  EXPECT_EQ(p.items[0].text, "caf\xe9");
}

}  // namespace
}  // namespace win32
