#include "ui/terminal/dialog_layout.h"

#include <gtest/gtest.h>

#include "port/dialog_model.h"
#include "ui/terminal/main_window.h"

namespace terminal {
namespace {

using K = res::ControlKind;

TEST(DialogLayout, WindowPlacedRelativeToTheClientAreaAndKeptOnScreen) {
  struct Case {
    const res::DialogTemplate& tmpl;
    Size screen;
    Rect window;
  };
  const std::vector<Case> cases = {
      // 241x153 units: 60x19 cells of client, 62x21 with frame and caption.
      {res::DispPosClose(), {100, 30}, {8, 8, 62, 21}},
      {res::DispPosClose(), {80, 24}, {8, 3, 62, 21}},  // moved up to fit
      {res::DispPosRead(), {100, 30}, {7, 8, 62, 17}},
      {res::DispPosRead(), {80, 24}, {7, 7, 62, 17}},
      {res::DispPosWrite(), {70, 24}, {8, 3, 62, 21}},
      {res::DispPosWrite(), {66, 24}, {4, 3, 62, 21}},  // moved left to fit
      {res::DispPosInit(), {80, 24}, {0, 0, 80, 24}},   // maximised
      {res::DispPosInit(), {120, 40}, {0, 0, 120, 40}},
  };
  for (const Case& c : cases) {
    const DialogPlace p = LayoutDialog(c.tmpl, c.screen, MainWindow::kClientTop);
    EXPECT_EQ(p.window, c.window) << c.tmpl.name << " " << c.screen.width;
    EXPECT_EQ(p.client, (Rect{c.window.x + 1, c.window.y + 1, c.window.w - 2, c.window.h - 2}));
  }
}

bool IsOneRow(K k) {
  return k != K::kGroupBox && k != K::kListBox && k != K::kMultiLineEdit;
}

TEST(DialogLayout, EveryControlFitsAndTextsDoNotRunIntoFields) {
  const res::DialogTemplate* all[] = {&res::DispPosInit(),  &res::DispPosOpen(),
                                      &res::DispPosIoctl(), &res::DispPosClose(),
                                      &res::DispPosRead(),  &res::DispPosWrite()};
  for (const res::DialogTemplate* t : all) {
    for (Size screen : {Size{80, 24}, Size{100, 30}}) {
      const DialogPlace p = LayoutDialog(*t, screen, MainWindow::kClientTop);
      const auto& cs = t->controls;
      for (std::size_t i = 0; i < cs.size(); ++i) {
        const Rect& r = p.controls[i].rect;
        EXPECT_GE(r.x, p.client.x) << t->name << " " << i;
        EXPECT_LE(r.right(), p.client.right()) << t->name << " " << i;
        EXPECT_GE(r.y, p.client.y) << t->name << " " << i;
        EXPECT_LE(r.bottom(), p.client.bottom()) << t->name << " " << i;
        if (!IsOneRow(cs[i].kind)) continue;
        const bool text = cs[i].kind == K::kLabel || cs[i].kind == K::kRadioButton;
        const Rect shown = text ? Rect{r.x, r.y, ShownTextWidth(cs[i]), 1} : r;
        for (std::size_t j = 0; j < cs.size(); ++j) {
          if (j == i || !IsOneRow(cs[j].kind) || cs[j].kind == K::kLabel ||
              cs[j].kind == K::kRadioButton)
            continue;
          const Rect& o = p.controls[j].rect;
          const bool overlap = o.y == shown.y && o.x < shown.right() && shown.x < o.right();
          EXPECT_FALSE(overlap) << t->name << ": control " << i << " runs into " << j;
        }
      }
    }
  }
}

TEST(DialogLayout, RowsAndColumnsOfTheCloseAndWriteTemplates) {
  const DialogPlace close = LayoutDialog(res::DispPosClose(), {100, 30}, MainWindow::kClientTop);
  const Rect& c = close.client;
  // "Handle" and its field on one row; OK and Cancel together near the bottom.
  EXPECT_EQ(close.controls[0].rect, (Rect{c.x + 16, c.y + 5, 8, 1}));
  EXPECT_EQ(close.controls[1].rect, (Rect{c.x + 26, c.y + 5, 4, 1}));
  EXPECT_EQ(close.controls[2].rect, (Rect{c.x + 5, c.y + 17, 12, 1}));
  EXPECT_EQ(close.controls[3].rect, (Rect{c.x + 26, c.y + 17, 12, 1}));

  const DialogPlace write = LayoutDialog(res::DispPosWrite(), {100, 30}, MainWindow::kClientTop);
  const Rect& data = write.controls[6].rect;  // the data box
  EXPECT_EQ(data.w - 3, ui::DialogModel::WrapColumns(res::DispPosWrite().controls[6]));
  // The first radio button's text ends above the data box, not inside it.
  EXPECT_LT(write.controls[2].rect.y, data.y);
}

TEST(DialogLayout, ComboBoxesKeepTheirListHeight) {
  const DialogPlace p = LayoutDialog(res::DispPosOpen(), {100, 30}, MainWindow::kClientTop);
  EXPECT_EQ(p.controls[3].drop_rows, 10);  // 94 units for the class list
  EXPECT_EQ(p.controls[11].drop_rows, 9);  // 84 for the resources
  EXPECT_EQ(p.controls[12].drop_rows, 3);  // the three types
  EXPECT_EQ(p.controls[3].rect.h, 1);
}

}  // namespace
}  // namespace terminal
