// What the control tool types and shows: the keys of the keyboard and the
// text of what devices hold.
#include "posim/feeds.h"

#include <gtest/gtest.h>

#include "posim/codes.h"
#include "posim/device_output.h"
#include "posim/library_fixture.h"

namespace posim_test {
namespace {

using namespace posim;

TEST(ScanCodeOf, EveryKeyOfTheMainBlockWithAndWithoutShift) {
  const struct {
    char character;
    std::uint8_t code;
  } cases[] = {
      {'1', 0x02},  {'!', 0x02}, {'0', 0x0B}, {')', 0x0B},  {'-', 0x0C},  {'_', 0x0C},
      {'=', 0x0D},  {'+', 0x0D}, {'q', 0x10}, {'Q', 0x10},  {'p', 0x19},  {'[', 0x1A},
      {'}', 0x1B},  {'a', 0x1E}, {'A', 0x1E}, {'l', 0x26},  {';', 0x27},  {':', 0x27},
      {'\'', 0x28}, {'"', 0x28}, {'`', 0x29}, {'~', 0x29},  {'\\', 0x2B}, {'|', 0x2B},
      {'z', 0x2C},  {'M', 0x32}, {',', 0x33}, {'<', 0x33},  {'.', 0x34},  {'>', 0x34},
      {'/', 0x35},  {'?', 0x35}, {' ', 0x39}, {'\t', 0x0F}, {'\r', 0x1C}, {'\n', 0x1C},
      {'\0', 0},    {'\x01', 0}, {'\x7f', 0}, {'\xe9', 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScanCodeOf(c.character), c.code) << static_cast<int>(c.character);
  }
}

TEST(EscapedBytes, OnlyPrintableBytesStayAsTheyAre) {
  const struct {
    std::string bytes;
    bool keep_line_ends;
    const char* text;
  } cases[] = {
      {"Hello", false, "Hello"},
      {"a\\b", false, "a\\\\b"},
      {std::string("\0\x1b\x7f\xff", 4), false, "\\x00\\x1B\\x7F\\xFF"},
      {"one\ntwo", false, "one\\x0Atwo"},
      {"one\ntwo\r", true, "one\ntwo\\x0D"},
  };
  for (const auto& c : cases) EXPECT_EQ(EscapedBytes(c.bytes, c.keep_line_ends), c.text);
}

TEST_F(LibraryTest, ShownTextsKeepToOneLinePerRowOrValue) {
  const std::int32_t display = Open("DEVNAME", "PosDisplay");
  // Control bytes move the cursor or are dropped; others land on the glass.
  ASSERT_EQ(Write(display, "A\x1b\xff\\\r\nB"), 0);
  EXPECT_EQ(Output("display"), "A\\xFF\\\\\nB");
  const std::string values = Control("values display");
  EXPECT_NE(values.find("\ndisplayText = A\\xFF\\\\\\x0AB\n"), std::string::npos) << values;
  EXPECT_EQ(values.substr(values.size() - 2), "0\n") << "no empty line after the values";
  const std::string devices = Control("show devices");
  EXPECT_EQ(devices.substr(devices.size() - 7), "online\n") << "no empty line after the list";
  const std::int32_t keyboard = Open("DEVNAME", "PosKeyboard");
  ASSERT_EQ(Control("type \"4.99 $\""), "ok\n");
  EXPECT_EQ(Read(keyboard, 80).bytes,
            "\x05"
            "4\x34.\x0a"
            "9\x0a"
            "9\x39 \x05$");
}

}  // namespace
}  // namespace posim_test
