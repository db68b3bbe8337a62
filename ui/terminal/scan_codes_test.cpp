#include "ui/terminal/scan_codes.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace terminal {
namespace {

struct Row {
  InputEvent key;
  std::optional<ScanCode> scan;
};

constexpr ScanCode Char(unsigned code) {
  return {code, true};
}
constexpr ScanCode NoChar(unsigned code) {
  return {code, false};
}

const std::array<Row, 40> kRows{{
    {InputEvent::Char('a'), Char(0x1e)},
    {InputEvent::Char('A'), Char(0x1e)},
    {InputEvent::Char('z'), Char(0x2c)},
    {InputEvent::Char('q'), Char(0x10)},
    {InputEvent::Char('m'), Char(0x32)},
    {InputEvent::Char('1'), Char(0x02)},
    {InputEvent::Char('!'), Char(0x02)},
    {InputEvent::Char('0'), Char(0x0b)},
    {InputEvent::Char(')'), Char(0x0b)},
    {InputEvent::Char('-'), Char(0x0c)},
    {InputEvent::Char('+'), Char(0x0d)},
    {InputEvent::Char('['), Char(0x1a)},
    {InputEvent::Char('}'), Char(0x1b)},
    {InputEvent::Char(';'), Char(0x27)},
    {InputEvent::Char('"'), Char(0x28)},
    {InputEvent::Char('~'), Char(0x29)},
    {InputEvent::Char('|'), Char(0x2b)},
    {InputEvent::Char('<'), Char(0x33)},
    {InputEvent::Char('/'), Char(0x35)},
    {InputEvent::Char(' '), Char(0x39)},
    {InputEvent::Char('\x01'), Char(0x1e)},  // Ctrl-A
    {InputEvent::Char('\n'), Char(0x24)},    // Ctrl-J
    {InputEvent::Of(Key::kEnter), Char(0x1c)},
    {InputEvent::Of(Key::kTab), Char(0x0f)},
    {InputEvent::Of(Key::kEscape), Char(0x01)},
    {InputEvent::Of(Key::kBackspace), Char(0x0e)},
    {InputEvent::Of(Key::kF1), NoChar(0x3b)},
    {InputEvent::Of(Key::kF10), NoChar(0x44)},
    {InputEvent::Of(Key::kF11), NoChar(0x57)},
    {InputEvent::Of(Key::kF12), NoChar(0x58)},
    {InputEvent::Of(Key::kUp), NoChar(0x48)},
    {InputEvent::Of(Key::kDown), NoChar(0x50)},
    {InputEvent::Of(Key::kLeft), NoChar(0x4b)},
    {InputEvent::Of(Key::kRight), NoChar(0x4d)},
    {InputEvent::Of(Key::kHome), NoChar(0x47)},
    {InputEvent::Of(Key::kPageDown), NoChar(0x51)},
    {InputEvent::Of(Key::kDelete), NoChar(0x53)},
    {InputEvent::Char('a', true), std::nullopt},  // Alt keys are system keys
    {InputEvent::Char('\xe9'), std::nullopt},     // not a key of the PC keyboard
    {InputEvent::Click(1, 1), std::nullopt},
}};

TEST(ScanCodes, Table) {
  for (std::size_t i = 0; i < kRows.size(); ++i)
    EXPECT_EQ(ScanCodeOf(kRows[i].key), kRows[i].scan) << i;
}

TEST(ScanCodes, EveryPrintableCharacterHasACharacterKey) {
  for (int c = 0x20; c <= 0x7e; ++c) {
    const std::optional<ScanCode> s = ScanCodeOf(InputEvent::Char(static_cast<char>(c)));
    ASSERT_TRUE(s.has_value()) << c;
    EXPECT_TRUE(s->is_char) << c;
    EXPECT_GT(s->code, 0u);
    EXPECT_LT(s->code, 0x40u) << c;  // the main block
  }
}

}  // namespace
}  // namespace terminal
