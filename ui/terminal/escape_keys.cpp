#include "ui/terminal/escape_keys.h"

#include <array>
#include <vector>

namespace terminal {
namespace {

struct Named {
  int code;  // the final byte, or the number before '~'
  Key key;
};

// "ESC [ 1 ; 3 B" and "ESC O B": the final byte names the key.
constexpr std::array<Named, 11> kFinalBytes{{
    {'A', Key::kUp},
    {'B', Key::kDown},
    {'C', Key::kRight},
    {'D', Key::kLeft},
    {'H', Key::kHome},
    {'F', Key::kEnd},
    {'P', Key::kF1},
    {'Q', Key::kF2},
    {'R', Key::kF3},
    {'S', Key::kF4},
    {'Z', Key::kBackTab},
}};

// "ESC [ 21 ; 3 ~": the first number names the key.
constexpr std::array<Named, 20> kTildeNumbers{{
    {1, Key::kHome},     {2, Key::kInsert}, {3, Key::kDelete}, {4, Key::kEnd},  {5, Key::kPageUp},
    {6, Key::kPageDown}, {7, Key::kHome},   {8, Key::kEnd},    {11, Key::kF1},  {12, Key::kF2},
    {13, Key::kF3},      {14, Key::kF4},    {15, Key::kF5},    {17, Key::kF6},  {18, Key::kF7},
    {19, Key::kF8},      {20, Key::kF9},    {21, Key::kF10},   {23, Key::kF11}, {24, Key::kF12},
}};

std::optional<Key> Lookup(const auto& table, int code) {
  for (const Named& n : table)
    if (n.code == code) return n.key;
  return std::nullopt;
}

bool IsFinal(char c) {
  return c >= 0x40 && c <= 0x7E;
}

// The numbers between "[" and the final byte; nothing when other bytes (a
// private marker such as '<' or '?', an intermediate) are there.
std::optional<std::vector<int>> Parameters(std::string_view body) {
  std::vector<int> numbers{0};
  for (char c : body) {
    if (c == ';') {
      numbers.push_back(0);
    } else if (c >= '0' && c <= '9') {
      if (numbers.back() > 1000) return std::nullopt;
      numbers.back() = numbers.back() * 10 + (c - '0');
    } else {
      return std::nullopt;
    }
  }
  return numbers;
}

}  // namespace

bool IsWholeEscapeSequence(std::string_view seq) {
  if (seq.size() < 2) return false;
  if (seq[0] == 'O') return seq.size() == 2;
  return seq[0] == '[' && IsFinal(seq.back());
}

std::optional<InputEvent> DecodeEscapeSequence(std::string_view seq) {
  if (!IsWholeEscapeSequence(seq) || seq.size() > kMaxEscapeSequence) return std::nullopt;
  const char final_byte = seq.back();
  if (seq[0] == 'O') {
    if (final_byte == 'M') return InputEvent::Of(Key::kEnter);  // the keypad's Enter
    if (std::optional<Key> k = Lookup(kFinalBytes, final_byte)) return InputEvent::Of(*k);
    return std::nullopt;
  }
  const std::optional<std::vector<int>> p = Parameters(seq.substr(1, seq.size() - 2));
  if (!p) return std::nullopt;
  // The modifier is 1 + the sum of Shift 1, Alt 2, Ctrl 4 (and Meta 8).
  const int modifier = p->size() > 1 ? (*p)[1] : 1;
  const bool alt = modifier >= 2 && ((modifier - 1) & 2) != 0;
  std::optional<Key> key =
      final_byte == '~' ? Lookup(kTildeNumbers, (*p)[0]) : Lookup(kFinalBytes, final_byte);
  if (!key) return std::nullopt;
  return InputEvent::Of(*key, alt);
}

}  // namespace terminal
