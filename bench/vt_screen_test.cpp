#include "bench/vt_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bench {
namespace {

// What curses writes for TERM=xterm, and the screen it leaves (6x3).
TEST(VtScreen, SequencesLeaveTheScreenAXtermWould) {
  const struct {
    const char* name;
    std::string bytes;
    std::vector<std::string> rows;
  } kCases[] = {
      {"text and line ends", "ab\r\ncd", {"ab    ", "cd    ", "      "}},
      {"cursor position", "\033[2;3Hxy", {"      ", "  xy  ", "      "}},
      {"erase to the line's end", "abcdef\033[1;3H\033[K", {"ab    ", "      ", "      "}},
      {"erase the screen", "abc\r\nde\033[2J", {"      ", "      ", "      "}},
      {"a full row wraps at the next character", "abcdefg", {"abcdef", "g     ", "      "}},
      {"a line feed at the bottom scrolls", "a\r\nb\r\nc\r\nd", {"b     ", "c     ", "d     "}},
      {"only the scrolling region scrolls",
       "top\033[2;3r\033[3;1Hx\ny",
       {"top   ", "x     ", " y    "}},
      {"insert and delete lines",
       "a\r\nb\r\nc\033[1;1H\033[L\033[3;1H\033[M",
       {"      ", "a     ", "      "}},
      {"insert, delete and erase characters",
       "abcdef\033[1;2H\033[2@\033[2;1Habcdef\033[2;2H\033[2P\033[3;1Habcdef\033[3;2H\033[3X",
       {"a  bcd", "adef  ", "a   ef"}},
      {"repeat the last character", "a\033[3b", {"aaaa  ", "      ", "      "}},
      {"line drawing", "\033(0lqkx\033(Bx", {"+-+|x ", "      ", "      "}},
      {"relative moves", "\033[2Bz\033[A\033[2Dy\033[3Gq", {"      ", "y q   ", "z     "}},
      {"attributes and modes leave no trace",
       "\033[1;7m\033[?25l\033[?1hok\033[m",
       {"ok    ", "      ", "      "}},
      {"a character beyond ASCII takes one cell",
       "a\xe2\x86\xb5"
       "b",
       {"a?b   ", "      ", "      "}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    VtScreen whole(6, 3), split(6, 3);
    whole.Feed(c.bytes);
    for (char b : c.bytes) split.Feed(std::string(1, b));  // sequences cut anywhere
    for (int y = 0; y < 3; ++y) {
      EXPECT_EQ(whole.Row(y), c.rows[static_cast<std::size_t>(y)]) << "row " << y;
      EXPECT_EQ(split.Row(y), c.rows[static_cast<std::size_t>(y)]) << "row " << y;
    }
  }
}

TEST(VtScreen, CursorReportsAreOwedToTheProgram) {
  VtScreen s(10, 5);
  s.Feed("\033[3;4H\033[6n");
  EXPECT_EQ(s.TakeReplies(), "\033[3;4R");
  EXPECT_EQ(s.TakeReplies(), "");
}

TEST(VtScreen, AResizeKeepsWhatFits) {
  VtScreen s(6, 3);
  s.Feed("abcdef\r\nghijkl");
  s.Resize(3, 4);
  EXPECT_EQ(s.Row(0), "abc");
  EXPECT_EQ(s.Row(1), "ghi");
  EXPECT_EQ(s.Row(3), "   ");
}

}  // namespace
}  // namespace bench
