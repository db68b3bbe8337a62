#include "ui/terminal/scan_codes.h"

#include <array>

namespace terminal {
namespace {

// One key of the main block: its character without and with Shift.
struct CharKey {
  char plain;
  char shifted;
  unsigned code;
};

constexpr std::array<CharKey, 48> kCharKeys{{
    {'1', '!', 0x02}, {'2', '@', 0x03},  {'3', '#', 0x04}, {'4', '$', 0x05}, {'5', '%', 0x06},
    {'6', '^', 0x07}, {'7', '&', 0x08},  {'8', '*', 0x09}, {'9', '(', 0x0a}, {'0', ')', 0x0b},
    {'-', '_', 0x0c}, {'=', '+', 0x0d},  {'q', 'Q', 0x10}, {'w', 'W', 0x11}, {'e', 'E', 0x12},
    {'r', 'R', 0x13}, {'t', 'T', 0x14},  {'y', 'Y', 0x15}, {'u', 'U', 0x16}, {'i', 'I', 0x17},
    {'o', 'O', 0x18}, {'p', 'P', 0x19},  {'[', '{', 0x1a}, {']', '}', 0x1b}, {'a', 'A', 0x1e},
    {'s', 'S', 0x1f}, {'d', 'D', 0x20},  {'f', 'F', 0x21}, {'g', 'G', 0x22}, {'h', 'H', 0x23},
    {'j', 'J', 0x24}, {'k', 'K', 0x25},  {'l', 'L', 0x26}, {';', ':', 0x27}, {'\'', '"', 0x28},
    {'`', '~', 0x29}, {'\\', '|', 0x2b}, {'z', 'Z', 0x2c}, {'x', 'X', 0x2d}, {'c', 'C', 0x2e},
    {'v', 'V', 0x2f}, {'b', 'B', 0x30},  {'n', 'N', 0x31}, {'m', 'M', 0x32}, {',', '<', 0x33},
    {'.', '>', 0x34}, {'/', '?', 0x35},  {' ', ' ', 0x39},
}};

// Control bytes typed with Ctrl: Ctrl-@ is on the 2 key, Ctrl-\ on the
// backslash key, and so on; Ctrl-A..Ctrl-Z on the letters.
constexpr std::array<CharKey, 5> kControlPunctuation{{
    {0x00, '@', 0x03},
    {0x1c, '\\', 0x2b},
    {0x1d, ']', 0x1b},
    {0x1e, '^', 0x07},
    {0x1f, '_', 0x0c},
}};

// The scan code of each ASCII byte, 0 for none.
constexpr std::array<unsigned, 128> BuildCharTable() {
  std::array<unsigned, 128> t{};
  for (const CharKey& k : kCharKeys) {
    t[static_cast<unsigned char>(k.plain)] = k.code;
    t[static_cast<unsigned char>(k.shifted)] = k.code;
  }
  for (char c = 'a'; c <= 'z'; ++c) t[static_cast<unsigned char>(c - 'a' + 1)] = t[c];
  for (const CharKey& k : kControlPunctuation) t[static_cast<unsigned char>(k.plain)] = k.code;
  t[0x7f] = 0x0e;  // DEL: the Backspace key
  return t;
}

constexpr std::array<unsigned, 128> kCharTable = BuildCharTable();
static_assert(kCharTable['a'] == 0x1e && kCharTable['A'] == 0x1e && kCharTable[0x0a] == 0x24);

struct NamedKey {
  Key key;
  ScanCode scan;
};

constexpr std::array<NamedKey, 27> kNamedKeys{{
    {Key::kEnter, {0x1c, true}},   {Key::kTab, {0x0f, true}},       {Key::kBackTab, {0x0f, true}},
    {Key::kEscape, {0x01, true}},  {Key::kBackspace, {0x0e, true}}, {Key::kDelete, {0x53, false}},
    {Key::kInsert, {0x52, false}}, {Key::kHome, {0x47, false}},     {Key::kEnd, {0x4f, false}},
    {Key::kPageUp, {0x49, false}}, {Key::kPageDown, {0x51, false}}, {Key::kUp, {0x48, false}},
    {Key::kDown, {0x50, false}},   {Key::kLeft, {0x4b, false}},     {Key::kRight, {0x4d, false}},
    {Key::kF1, {0x3b, false}},     {Key::kF2, {0x3c, false}},       {Key::kF3, {0x3d, false}},
    {Key::kF4, {0x3e, false}},     {Key::kF5, {0x3f, false}},       {Key::kF6, {0x40, false}},
    {Key::kF7, {0x41, false}},     {Key::kF8, {0x42, false}},       {Key::kF9, {0x43, false}},
    {Key::kF10, {0x44, false}},    {Key::kF11, {0x57, false}},      {Key::kF12, {0x58, false}},
}};

}  // namespace

std::optional<ScanCode> ScanCodeOf(const InputEvent& key) {
  if (key.type != InputEvent::Type::kKey || key.alt) return std::nullopt;
  if (key.key == Key::kChar) {
    const auto byte = static_cast<unsigned char>(key.ch);
    if (byte >= kCharTable.size() || kCharTable[byte] == 0) return std::nullopt;
    return ScanCode{kCharTable[byte], true};
  }
  for (const NamedKey& k : kNamedKeys)
    if (k.key == key.key) return k.scan;
  return std::nullopt;
}

}  // namespace terminal
