// What the control tool types and shows: the keys of the keyboard and the
// text of what devices hold.
#include "posim/devices/feeds.h"

#include <gtest/gtest.h>

#include "posim/devices/codes.h"
#include "posim/devices/device_output.h"
#include "posim/tests/library_fixture.h"

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

TEST(CharacterOf, AKeyWithoutShiftGivesItsOwnCharacter) {
  const struct {
    std::uint8_t code;
    char character;
  } cases[] = {
      {0x02, '1'}, {0x0D, '='}, {0x10, 'q'},  {0x1B, ']'},  {0x1E, 'a'}, {0x29, '`'}, {0x2B, '\\'},
      {0x35, '/'}, {0x39, ' '}, {0x0F, '\t'}, {0x1C, '\r'}, {0x00, 0},   {0x01, 0},   {0x0E, 0},
      {0x1D, 0},   {0x2A, 0},   {0x36, 0},    {0x3B, 0},    {0xFF, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CharacterOf(c.code), c.character) << int{c.code};
  for (int c = 0; c < 256; ++c) {
    const std::uint8_t code = ScanCodeOf(static_cast<char>(c));
    if (code != 0) {
      EXPECT_EQ(ScanCodeOf(CharacterOf(code)), code) << c;
    }
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
}

TEST_F(LibraryTest, InputDevicesShowWhatWaitsToBeRead) {
  const struct {
    const char* device;
    const char* feed;  // nullptr: none
    const char* shown;
  } cases[] = {
      {"scanner", nullptr, "waiting to be read: 0"},
      {"scanner", "scan 123", "waiting to be read: 1\n123"},
      {"msr", "swipe ;41=25?", "waiting to be read: 1\n;41=25?\\x0D"},
      {"touch", "touch 300 2", "waiting to be read: 1\ntouch 300 2"},
      {"keyboard", "key 0x1c", "waiting to be read: 1\nkey 0x1C \\x0D"},
      {"keyboard", "type \"4.9 $\"",
       "waiting to be read: 6\nkey 0x1C \\x0D\nkey 0x05 4\nkey 0x34 .\nkey 0x0A 9\nkey 0x39  \n"
       "key 0x05 $"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.device);
    if (c.feed != nullptr) {
      ASSERT_EQ(Control(c.feed), "ok\n");
    }
    EXPECT_EQ(Output(c.device), c.shown);
  }
  const std::int32_t keyboard = Open("DEVNAME", "PosKeyboard");
  EXPECT_EQ(Read(keyboard, 4).bytes, std::string("\x1c\r\x05"
                                                 "4",
                                                 4));
  EXPECT_EQ(Output("keyboard").substr(0, 21), "waiting to be read: 4");
}

}  // namespace
}  // namespace posim_test
