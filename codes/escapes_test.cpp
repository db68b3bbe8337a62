#include "codes/escapes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace codes {
namespace {

struct Decoded {
  std::string bytes;  // every byte decoded, zero bytes included
  std::vector<std::string> log;
};

Decoded Decode(const std::string& text) {
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  Decoded d;
  const std::size_t n = DecodeEscapes(buffer.data(), d.log);
  d.bytes.assign(buffer.data(), n);
  return d;
}

std::string Unknown(char c) {
  return std::string("--> Error, unknown escape sequence '\\") + c + "'";
}

TEST(DecodeEscapes, Sequences) {
  using namespace std::string_literals;
  struct Case {
    std::string in;
    std::string out;
    std::vector<std::string> log;
  } cases[] = {
      {R"(\x414)",
       "\x41"s
       "4",
       {}},
      {R"(\101)", "A", {}},
      {R"(\1012)", "A2", {}},
      {R"(\18)",
       "\x01"s
       "8",
       {}},
      {R"(\q)", "\\q", {Unknown('q')}},
      {R"(AB\0CD)", "AB\0CD"s, {}},
      {R"(ABC\r\n)", "ABC\r\n", {}},
      {R"(\"\'\?\\\a\b\f\n\r\t\v)", "\"'?\\\a\b\f\n\r\t\v", {}},
      {R"(\400)", "\0"s, {}},
      {R"(\777)", "\xFF", {}},
      {R"(\0101)",
       "\x08"s
       "1",
       {}},
      {R"(\x)", "\0"s, {}},
      {R"(\xg)", "\0g"s, {}},
      {R"(\xFf)", "\xFF", {}},
      {R"(\x4142)", "A42", {}},
      {R"(abc\)", "abc\\", {}},
      {R"(\\n)", "\\n", {}},
      {R"(\X41)", "\\X41", {Unknown('X')}},
      {R"(\e\8\9)", R"(\e\8\9)", {Unknown('e'), Unknown('8'), Unknown('9')}},
      {"\\\x80", "\\\x80", {Unknown('\x80')}},
      {"", "", {}},
  };
  for (const Case& c : cases) {
    const Decoded d = Decode(c.in);
    EXPECT_EQ(d.bytes, c.out) << c.in;
    EXPECT_EQ(d.log, c.log) << c.in;
  }
}

TEST(DecodeEscapes, NeverLongerThanItsInputAndAlwaysTerminated) {
  const std::string alphabet = "\\\\\\\\x0178n9aFqX\"";
  std::mt19937 random(12345);
  for (int round = 0; round < 5000; ++round) {
    const std::size_t length = random() % 40;
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
      const bool any_byte = random() % 5 == 0;
      text +=
          any_byte ? static_cast<char>(1 + random() % 255) : alphabet[random() % alphabet.size()];
    }
    // The text, its terminator, then bytes that must stay untouched.
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    buffer.insert(buffer.end(), 8, '#');
    std::vector<std::string> complaints;
    const std::size_t n = DecodeEscapes(buffer.data(), complaints);
    ASSERT_LE(n, text.size()) << text;
    EXPECT_EQ(buffer[n], '\0') << text;
    EXPECT_EQ(std::string(buffer.end() - 8, buffer.end()), "########") << text;
  }
}

}  // namespace
}  // namespace codes
