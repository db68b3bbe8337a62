#include "resources/templates.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace res {
namespace {

TEST(MenuTest, ItemsInOrderWithSeparatorBeforeExit) {
  const Menu& m = CommandMenu();
  EXPECT_STREQ(m.name, "ZorAZIMenu");
  EXPECT_STREQ(m.popup, "Pos_Commands");
  const struct {
    int id;
    const char* text;
  } expected[] = {{100, "PosInitialize"}, {101, "PosOpen      "}, {102, "PosClose     "},
                  {103, "PosIoctl     "}, {104, "PosRead      "}, {105, "PosWrite     "},
                  {0, nullptr},           {107, "Exit         "}};
  ASSERT_EQ(m.items.size(), std::size(expected));
  for (std::size_t i = 0; i < m.items.size(); ++i) {
    EXPECT_EQ(m.items[i].id, expected[i].id) << i;
    if (expected[i].text) {
      EXPECT_STREQ(m.items[i].text, expected[i].text) << i;
      EXPECT_EQ(std::string(m.items[i].text).size(), 13u) << i;
    } else {
      EXPECT_EQ(m.items[i].text, nullptr);
    }
  }
}

struct TemplateCase {
  const DialogTemplate& (*get)();
  int command;
  const char* name;
  const char* title;
  int x, y, w, h;
  int default_button;
  std::size_t controls;
};

const TemplateCase kTemplates[] = {
    {DispPosInit, 100, "DispPosInit", "POS Initialization", 32, 47, 241, 153, kIdAddResource, 18},
    {DispPosOpen, 101, "DispPosOpen", "POS Open", 32, 47, 241, 153, kIdAddResource, 18},
    {DispPosClose, 102, "DispPosClose", "POS Close", 32, 47, 241, 153, kIdOk, 4},
    {DispPosIoctl, 103, "DispPosIoctl", "POS Ioctl", 32, 47, 241, 153, kIdAddResource, 18},
    {DispPosRead, 104, "DispPosRead", "POS Read", 28, 46, 241, 116, kIdOk, 8},
    {DispPosWrite, 105, "DispPosWrite", "POS Write", 32, 47, 241, 153, kIdOk, 10},
};

TEST(TemplateTest, GeometryTitleAndOneDefaultButton) {
  for (const TemplateCase& c : kTemplates) {
    const DialogTemplate& t = c.get();
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TemplateForCommand(c.command), &t);
    EXPECT_STREQ(t.name, c.name);
    EXPECT_STREQ(t.title, c.title);
    EXPECT_EQ(t.x, c.x);
    EXPECT_EQ(t.y, c.y);
    EXPECT_EQ(t.w, c.w);
    EXPECT_EQ(t.h, c.h);
    EXPECT_STREQ(t.font, "MS Sans Serif");
    EXPECT_EQ(t.point_size, 8);
    EXPECT_EQ(t.controls.size(), c.controls);
    EXPECT_EQ((t.style & kMaximized) != 0, c.command == 100);
    int defaults = 0;
    std::set<int> ids;
    for (const Control& ctl : t.controls) {
      if (ctl.kind == ControlKind::kDefPushButton) {
        ++defaults;
        EXPECT_EQ(ctl.id, c.default_button);
      }
      if (ctl.id >= 0) {
        EXPECT_TRUE(ids.insert(ctl.id).second) << "duplicate id " << ctl.id;
      }
      // Every control lies inside its dialog.
      EXPECT_LE(ctl.x + ctl.w, t.w + 1) << ctl.id;
      EXPECT_GE(ctl.x, 0);
    }
    EXPECT_EQ(defaults, 1);
    EXPECT_TRUE(ids.count(kIdOk) && ids.count(kIdCancel));
  }
  EXPECT_EQ(TemplateForCommand(107), nullptr);
  EXPECT_EQ(TemplateForCommand(106), nullptr);
}

TEST(TemplateTest, TabStopsOfTheArgumentEditorDialogs) {
  for (const DialogTemplate* t : {&DispPosInit(), &DispPosOpen(), &DispPosIoctl()}) {
    SCOPED_TRACE(t->name);
    for (const Control& ctl : t->controls) {
      const bool tab = ctl.style & kTabStop;
      switch (ctl.kind) {
        case ControlKind::kLabel:
          EXPECT_FALSE(tab);
          EXPECT_TRUE(ctl.style & kGroup);
          break;
        case ControlKind::kEdit:
        case ControlKind::kComboDropDown:
        case ControlKind::kComboDropList:
          EXPECT_TRUE(tab) << ctl.id;
          break;
        case ControlKind::kListBox:
        case ControlKind::kGroupBox:
          EXPECT_FALSE(tab) << ctl.id;
          break;
        default:
          // "Add Resource" and "OK" start groups; "Cancel" is no tab stop.
          EXPECT_EQ(tab, ctl.id != kIdCancel) << ctl.id;
      }
    }
  }
}

TEST(TemplateTest, FieldTextsOfTheTemplates) {
  auto text_of = [](const DialogTemplate& t, int id) -> std::string {
    for (const Control& c : t.controls)
      if (c.id == id) return c.text;
    return "<none>";
  };
  EXPECT_EQ(text_of(DispPosInit(), kIdArgCount), "1");
  EXPECT_EQ(text_of(DispPosOpen(), kIdArgCount), "0");
  EXPECT_EQ(text_of(DispPosIoctl(), kIdArgCount), "0");
  EXPECT_EQ(text_of(DispPosRead(), kIdBufferSize), "80");
  EXPECT_EQ(text_of(DispPosWrite(), kIdUseFile), " Using data from File");
  EXPECT_EQ(text_of(DispPosWrite(), kIdUseListBox), "Using data from List Box");
}

}  // namespace
}  // namespace res
