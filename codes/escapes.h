// Backslash escape sequences in the data typed into the Write dialog (and in
// the simulator's rs232 command, which takes the same escapes).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace codes {

// Replaces, in place, each escape sequence of the zero-terminated text by the
// byte it stands for. The result is never longer than the input and stays
// zero-terminated. An unknown sequence is kept as it is, and the line that
// names it is added to complaints. Returns the number of bytes decoded (a \0
// sequence leaves a zero byte among them).
std::size_t DecodeEscapes(char* text, std::vector<std::string>& complaints);

}  // namespace codes
