#include "codes/escapes.h"

namespace codes {

namespace {

constexpr const char* kUnknownEscape = "--> Error, unknown escape sequence '\\";

struct SimpleEscape {
  char letter;
  char byte;
};

constexpr SimpleEscape kSimpleEscapes[] = {
    {'"', 0x22}, {'\'', 0x27}, {'?', 0x3F}, {'\\', 0x5C}, {'a', 0x07}, {'b', 0x08},
    {'f', 0x0C}, {'n', 0x0A},  {'r', 0x0D}, {'t', 0x09},  {'v', 0x0B},
};

bool IsOctal(char c) {
  return c >= '0' && c <= '7';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads up to max_digits digits of base at in; returns the value's low byte.
char TakeDigits(const char*& in, int base, int max_digits) {
  unsigned value = 0;
  for (int n = 0; n < max_digits; ++n) {
    const int digit = base == 8 ? (IsOctal(*in) ? *in - '0' : -1) : HexValue(*in);
    if (digit < 0) break;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    ++in;
  }
  return static_cast<char>(value & 0xFF);
}

const SimpleEscape* FindSimple(char letter) {
  for (const SimpleEscape& e : kSimpleEscapes)
    if (e.letter == letter) return &e;
  return nullptr;
}

}  // namespace

std::size_t DecodeEscapes(char* text, std::vector<std::string>& complaints) {
  const char* in = text;
  char* out = text;
  while (*in != '\0') {
    // Every branch writes no more bytes than it consumes.
    if (in[0] != '\\' || in[1] == '\0') {
      *out++ = *in++;
      continue;
    }
    const char letter = in[1];
    if (const SimpleEscape* e = FindSimple(letter)) {
      *out++ = e->byte;
      in += 2;
    } else if (IsOctal(letter)) {
      in += 1;
      *out++ = TakeDigits(in, 8, 3);
    } else if (letter == 'x') {
      in += 2;
      *out++ = TakeDigits(in, 16, 2);
    } else {
      complaints.push_back(kUnknownEscape + std::string(1, letter) + "'");
      *out++ = *in++;
      *out++ = *in++;
    }
  }
  *out = '\0';
  return static_cast<std::size_t>(out - text);
}

}  // namespace codes
