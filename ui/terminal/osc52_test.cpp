#include "ui/terminal/osc52.h"

#include <gtest/gtest.h>

namespace terminal {
namespace {

TEST(Osc52, Base64OfEveryRemainderAndNoRawByteInTheSequence) {
  const struct {
    std::string bytes;
    const char* base64;
  } cases[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foobar", "Zm9vYmFy"},
      {std::string("\x1b]0;x\x07\n\0\xff", 9), "G10wO3gHCgD/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.base64);
    EXPECT_EQ(Base64(c.bytes), c.base64);
    EXPECT_EQ(ClipboardSequence(c.bytes), std::string("\x1b]52;c;") + c.base64 + "\a");
  }
}

}  // namespace
}  // namespace terminal
