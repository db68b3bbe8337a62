#include "dialogs/numbers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dialogs {
namespace {

const std::string k300Nines(300, '9');
const std::string kZerosThenSeven = std::string(299, '0') + "7";

TEST(Numbers, SignedDecimal) {
  struct Case {
    std::string text;
    std::optional<std::int32_t> value;  // nullopt: refused
  } cases[] = {
      {"0", 0},
      {"007", 7},
      {"2147483647", 2147483647},
      {kZerosThenSeven, 7},
      {"2147483648", std::nullopt},
      {"4294967295", std::nullopt},
      {k300Nines, std::nullopt},
      {"", std::nullopt},
      {"+1", std::nullopt},
      {"-1", std::nullopt},
      {"-0", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"1x", std::nullopt},
      {"0x10", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 20));
    std::int32_t out = -77;
    const bool ok = ParseInt32(c.text, out);
    EXPECT_EQ(ok, c.value.has_value());
    EXPECT_EQ(out, c.value.value_or(-77)) << "a refused text leaves the output alone";
  }
}

TEST(Numbers, UnsignedDecimalAndHexadecimal) {
  struct Case {
    std::string text;
    int base;
    std::optional<std::uint32_t> value;
  } cases[] = {
      {"4294967295", 10, 0xFFFFFFFFu},
      {"4294967296", 10, std::nullopt},
      {"0", 10, 0u},
      {kZerosThenSeven, 10, 7u},
      {k300Nines, 10, std::nullopt},
      {"+1", 10, std::nullopt},
      {"-1", 10, std::nullopt},
      {" 1", 10, std::nullopt},
      {"ff", 10, std::nullopt},
      {"ff", 16, 0xFFu},
      {"FFFFFFFF", 16, 0xFFFFFFFFu},
      {"aBcD", 16, 0xABCDu},
      {"100000000", 16, std::nullopt},
      {"0x10", 16, std::nullopt},
      {"+f", 16, std::nullopt},
      {"-f", 16, std::nullopt},
      {" f", 16, std::nullopt},
      {"g", 16, std::nullopt},
      {"", 16, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 20) + " base " + std::to_string(c.base));
    std::uint32_t out = 77;
    EXPECT_EQ(ParseUint32(c.text, c.base, out), c.value.has_value());
    EXPECT_EQ(out, c.value.value_or(77));
  }
}

TEST(Numbers, OnlyOfAllowsTheEmptyText) {
  EXPECT_TRUE(OnlyOf("", kDecimalDigits));
  EXPECT_TRUE(OnlyOf("0123456789", kDecimalDigits));
  EXPECT_FALSE(OnlyOf("12a", kDecimalDigits));
  EXPECT_TRUE(OnlyOf("09afAF", kHexDigits));
  EXPECT_FALSE(OnlyOf("0x1", kHexDigits));
}

}  // namespace
}  // namespace dialogs
