#include "ui/terminal/escape_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace terminal {
namespace {

TEST(EscapeKeys, SequencesOfTheCommonTerminals) {
  struct Case {
    std::string seq;  // the bytes after ESC
    Key key;
    bool alt;
  };
  const Case cases[] = {
      {"[A", Key::kUp, false},
      {"OB", Key::kDown, false},
      {"[C", Key::kRight, false},
      {"OD", Key::kLeft, false},
      {"[H", Key::kHome, false},
      {"OF", Key::kEnd, false},
      {"[1~", Key::kHome, false},
      {"[7~", Key::kHome, false},
      {"[4~", Key::kEnd, false},
      {"[8~", Key::kEnd, false},
      {"[2~", Key::kInsert, false},
      {"[3~", Key::kDelete, false},
      {"[5~", Key::kPageUp, false},
      {"[6~", Key::kPageDown, false},
      {"OP", Key::kF1, false},
      {"OS", Key::kF4, false},
      {"[11~", Key::kF1, false},
      {"[15~", Key::kF5, false},
      {"[17~", Key::kF6, false},
      {"[21~", Key::kF10, false},
      {"[23~", Key::kF11, false},
      {"[24~", Key::kF12, false},
      {"[Z", Key::kBackTab, false},
      {"OM", Key::kEnter, false},
      // Modifiers: 2 Shift, 3 Alt, 4 Shift-Alt, 5 Ctrl, 7 Ctrl-Alt.
      {"[1;3B", Key::kDown, true},
      {"[1;3A", Key::kUp, true},
      {"[1;4B", Key::kDown, true},
      {"[1;7B", Key::kDown, true},
      {"[1;5H", Key::kHome, false},
      {"[1;2D", Key::kLeft, false},
      {"[21;3~", Key::kF10, true},
      {"[3;5~", Key::kDelete, false},
      {"[1;2P", Key::kF1, false},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(IsWholeEscapeSequence(c.seq)) << c.seq;
    const std::optional<InputEvent> e = DecodeEscapeSequence(c.seq);
    ASSERT_TRUE(e.has_value()) << c.seq;
    EXPECT_EQ(e->type, InputEvent::Type::kKey) << c.seq;
    EXPECT_EQ(e->key, c.key) << c.seq;
    EXPECT_EQ(e->alt, c.alt) << c.seq;
  }
}

TEST(EscapeKeys, OtherSequencesAreNoKeys) {
  // Whole, but not a key: dropped rather than typed.
  for (std::string seq : {"[M", "[<0;5;5M", "[?1h", "[200~", "[9~", "[99999999999~", "Ox", "[1 q"})
    EXPECT_FALSE(DecodeEscapeSequence(seq).has_value()) << seq;
  // Not yet whole: more bytes are to come.
  for (std::string seq : {"", "[", "O", "[1", "[1;3", "[21;"})
    EXPECT_FALSE(IsWholeEscapeSequence(seq)) << seq;
  EXPECT_FALSE(DecodeEscapeSequence("[1;3").has_value());
  EXPECT_FALSE(DecodeEscapeSequence("[" + std::string(kMaxEscapeSequence, '1') + "~").has_value());
}

}  // namespace
}  // namespace terminal
