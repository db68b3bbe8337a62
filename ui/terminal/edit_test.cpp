#include <gtest/gtest.h>

#include "port/dialog_model.h"
#include "ui/terminal/edit_line.h"
#include "ui/terminal/multi_edit.h"

namespace terminal {
namespace {

std::vector<InputEvent> Keys(std::string_view typed) {
  // Letters and digits type themselves; < > ^ $ # ~ stand for Left, Right,
  // Home, End, Backspace and Delete.
  std::vector<InputEvent> v;
  for (char c : typed) {
    switch (c) {
      case '<':
        v.push_back(InputEvent::Of(Key::kLeft));
        break;
      case '>':
        v.push_back(InputEvent::Of(Key::kRight));
        break;
      case '^':
        v.push_back(InputEvent::Of(Key::kHome));
        break;
      case '$':
        v.push_back(InputEvent::Of(Key::kEnd));
        break;
      case '#':
        v.push_back(InputEvent::Of(Key::kBackspace));
        break;
      case '~':
        v.push_back(InputEvent::Of(Key::kDelete));
        break;
      default:
        v.push_back(InputEvent::Char(c));
    }
  }
  return v;
}

TEST(EditLine, KeysChangeTextAndCursor) {
  struct Case {
    std::string start;
    bool select_all;
    std::string keys;
    std::string text;
    int cursor;
  };
  const std::vector<Case> cases = {
      {"", false, "abc", "abc", 3},
      {"abc", false, "<<X", "aXbc", 2},
      {"abc", false, "^X", "Xabc", 1},
      {"abc", false, "^~~", "c", 0},
      {"abc", false, "##", "a", 1},
      {"abc", false, "^#", "abc", 0},  // nothing before the cursor
      {"abc", false, "$~", "abc", 3},  // nothing after it
      {"RIDOZOD", true, "X", "X", 1},  // selected text is replaced
      {"RIDOZOD", true, "#", "", 0},
      {"RIDOZOD", true, "~", "", 0},
      {"RIDOZOD", true, "<X", "XRIDOZOD", 1},  // Left ends the selection at its start
      {"RIDOZOD", true, ">X", "RIDOZODX", 8},
      {"ab", false, ">>>>c", "abc", 3},
  };
  for (const Case& c : cases) {
    EditLine e;
    std::string text = c.start;
    e.Focus(text, c.select_all);
    for (const InputEvent& k : Keys(c.keys)) EXPECT_TRUE(e.HandleKey(text, k));
    EXPECT_EQ(text, c.text) << c.keys;
    EXPECT_EQ(e.cursor(), c.cursor) << c.keys;
  }
}

TEST(EditLine, LeavesDialogKeysAndControlBytesAlone) {
  EditLine e;
  std::string text = "x";
  for (const InputEvent& k :
       {InputEvent::Of(Key::kEnter), InputEvent::Of(Key::kTab), InputEvent::Of(Key::kEscape),
        InputEvent::Of(Key::kUp), InputEvent::Char('\n'), InputEvent::Char('\x1b'),
        InputEvent::Char('a', true)})
    EXPECT_FALSE(e.HandleKey(text, k));
  EXPECT_EQ(text, "x");
}

TEST(EditLine, TextChangedUnderTheFieldKeepsTheCursorInside) {
  EditLine e;
  std::string text = "123456";
  e.Focus(text, false);
  text = "1";  // the dialog procedure set a shorter text
  CellGrid grid(10, 1);
  e.Draw(grid, 0, 0, 4, text, true);
  EXPECT_EQ(grid.cursor_x(), 1);
  EXPECT_TRUE(e.HandleKey(text, InputEvent::Char('2')));
  EXPECT_EQ(text, "12");
}

TEST(MultiEdit, LineStartsFollowTheModelsWrappedLines) {
  struct Case {
    std::string text;
    int columns;
    std::vector<int> starts;
  };
  const std::vector<Case> cases = {
      {"", 10, {0}},
      {"abc", 10, {0}},
      {"abc\ndef", 10, {0, 4}},
      {"abc\r\ndef", 10, {0, 5}},
      {"abc\n", 10, {0, 4}},
      {"aaaa bbbb cccc", 6, {0, 5, 10}},
      {"abcdefghij", 4, {0, 4, 8}},
      {"ab\n\ncd", 4, {0, 3, 4}},
  };
  for (const Case& c : cases) {
    const auto lines = ui::DialogModel::WrapLines(c.text, c.columns);
    EXPECT_EQ(MultiEdit::LineStarts(c.text, lines), c.starts) << c.text;
  }
}

TEST(MultiEdit, CursorMovesByShownLines) {
  struct Case {
    std::string text;
    std::vector<InputEvent> keys;
    std::string result;
    int cursor;
  };
  const int cols = 6;
  const InputEvent up = InputEvent::Of(Key::kUp), down = InputEvent::Of(Key::kDown);
  const InputEvent home = InputEvent::Of(Key::kHome), end = InputEvent::Of(Key::kEnd);
  const std::vector<Case> cases = {
      {"aaaa bbbb cccc", {up, InputEvent::Char('X')}, "aaaa bbbbX cccc", 10},
      {"aaaa bbbb cccc", {up, up, home, InputEvent::Char('X')}, "Xaaaa bbbb cccc", 1},
      {"ab\ncd", {up, end, InputEvent::Char('X')}, "abX\ncd", 3},
      {"ab\ncd", {home, InputEvent::Of(Key::kBackspace)}, "abcd", 2},  // joins the lines
      {"ab\r\ncd", {home, InputEvent::Of(Key::kBackspace)}, "abcd", 2},
      {"ab", {InputEvent::Char('\n'), InputEvent::Char('c')}, "ab\nc", 4},
      {"ab\ncd", {up, up, down, InputEvent::Char('X')}, "ab\ncdX", 6},
  };
  for (const Case& c : cases) {
    MultiEdit m;
    std::string text = c.text;
    m.Focus(text, false);
    for (const InputEvent& k : c.keys) EXPECT_TRUE(m.HandleKey(text, k, cols, 3));
    EXPECT_EQ(text, c.result) << c.text;
    EXPECT_EQ(m.cursor(), c.cursor) << c.text;
  }
}

TEST(MultiEdit, EnterAndTabAreTheDialogs) {
  MultiEdit m;
  std::string text;
  EXPECT_FALSE(m.HandleKey(text, InputEvent::Of(Key::kEnter), 10, 3));
  EXPECT_FALSE(m.HandleKey(text, InputEvent::Of(Key::kTab), 10, 3));
  EXPECT_FALSE(m.HandleKey(text, InputEvent::Of(Key::kEscape), 10, 3));
}

TEST(MultiEdit, ViewFollowsTheCursorDown) {
  MultiEdit m;
  std::string text;
  m.Focus(text, false);
  for (int i = 0; i < 6; ++i) {
    m.HandleKey(text, InputEvent::Char('a' + i), 10, 3);
    m.HandleKey(text, InputEvent::Char('\n'), 10, 3);
  }
  EXPECT_EQ(m.top(), 4);  // 7 lines, 3 shown, the cursor on the last
  CellGrid grid(20, 6);
  m.Draw(grid, Rect{0, 0, 13, 5}, text, true);
  EXPECT_EQ(grid.RowText(1, 1, 1), "e");
  EXPECT_EQ(grid.cursor_y(), 3);
}

}  // namespace
}  // namespace terminal
