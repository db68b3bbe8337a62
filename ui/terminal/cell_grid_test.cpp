#include "ui/terminal/cell_grid.h"

#include <gtest/gtest.h>

namespace terminal {
namespace {

TEST(CellGrid, BytesThatAreNotPrintableBecomeStandIns) {
  struct Case {
    unsigned char byte;
    char shown;
    Style style;
  };
  const Case cases[] = {
      {'A', 'A', Style::kField},    {' ', ' ', Style::kField},    {'~', '~', Style::kField},
      {0x0a, 'J', Style::kStandIn}, {0x1b, '[', Style::kStandIn}, {0x00, '@', Style::kStandIn},
      {0x0d, 'M', Style::kStandIn}, {0x7f, '?', Style::kStandIn}, {0x80, '.', Style::kStandIn},
      {0xff, '.', Style::kStandIn},
  };
  for (const Case& c : cases) {
    CellGrid g(3, 1);
    g.Put(1, 0, static_cast<char>(c.byte), Style::kField);
    EXPECT_EQ(g.At(1, 0).ch, c.shown) << int{c.byte};
    EXPECT_EQ(g.At(1, 0).style, c.style) << int{c.byte};
    EXPECT_EQ(g.At(1, 0).glyph == Glyph::kLineFeed, c.byte == 0x0a) << int{c.byte};
  }
}

TEST(CellGrid, TextIsClippedToTheWidthAndTheGrid) {
  CellGrid g(6, 2);
  EXPECT_EQ(g.Text(1, 0, "abcdef", Style::kNormal, 3), 3);
  EXPECT_EQ(g.Row(0), " abc  ");
  EXPECT_EQ(g.Text(4, 1, "abcdef", Style::kNormal), 2);
  EXPECT_EQ(g.Row(1), "    ab");
  g.Put(-1, 0, 'x', Style::kNormal);
  g.Put(6, 0, 'x', Style::kNormal);
  g.Put(0, 2, 'x', Style::kNormal);
  EXPECT_EQ(g.Row(0), " abc  ");
  EXPECT_EQ(g.At(9, 9).ch, ' ');
}

TEST(CellGrid, FrameCornersAndLines) {
  CellGrid g(4, 3);
  g.Frame(Rect{0, 0, 4, 3}, Style::kFrame);
  EXPECT_EQ(g.Row(0), "+--+");
  EXPECT_EQ(g.Row(1), "|  |");
  EXPECT_EQ(g.At(0, 0).glyph, Glyph::kTopLeft);
  EXPECT_EQ(g.At(3, 2).glyph, Glyph::kBottomRight);
  EXPECT_EQ(g.At(1, 2).glyph, Glyph::kHorizontal);
}

}  // namespace
}  // namespace terminal
