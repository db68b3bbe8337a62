#include <curses.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "ui/terminal/curses_device.h"

namespace terminal {
namespace {

TEST(CursesKeys, CodesToInputEvents) {
  struct Case {
    int code;
    Key key;
    char ch;
  };
  const Case cases[] = {
      {'a', Key::kChar, 'a'},    {'\n', Key::kChar, '\n'},  // Ctrl-J
      {'\r', Key::kEnter, 0},    {KEY_ENTER, Key::kEnter, 0},
      {'\t', Key::kTab, 0},      {KEY_BTAB, Key::kBackTab, 0},
      {27, Key::kEscape, 0},     {127, Key::kBackspace, 0},
      {8, Key::kBackspace, 0},   {KEY_BACKSPACE, Key::kBackspace, 0},
      {KEY_F(1), Key::kF1, 0},   {KEY_F(4), Key::kF4, 0},
      {KEY_F(10), Key::kF10, 0}, {KEY_F(12), Key::kF12, 0},
      {KEY_UP, Key::kUp, 0},     {KEY_NPAGE, Key::kPageDown, 0},
      {KEY_HOME, Key::kHome, 0}, {KEY_END, Key::kEnd, 0},
      {KEY_DC, Key::kDelete, 0}, {KEY_IC, Key::kInsert, 0},
      {1, Key::kChar, '\x01'},
  };
  for (const Case& c : cases) {
    const std::optional<InputEvent> e = DecodeCursesKey(c.code);
    ASSERT_TRUE(e.has_value()) << c.code;
    EXPECT_EQ(e->key, c.key) << c.code;
    EXPECT_EQ(e->ch, c.ch) << c.code;
    EXPECT_FALSE(e->alt);
  }
  EXPECT_FALSE(DecodeCursesKey(KEY_F(30)).has_value());
}

TEST(CursesKeys, NoTerminalIsReported) {
  // Under ctest standard input is not a terminal.
  if (isatty(0) && isatty(1)) GTEST_SKIP() << "running in a terminal";
  EXPECT_FALSE(TerminalProblem().empty());
  std::string error;
  EXPECT_EQ(StartCursesDevice(&error), nullptr);
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace terminal
