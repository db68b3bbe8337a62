// The words of a control command line, as the server splits them and
// posimctl writes them. Words are separated by blanks; "double quotes" keep
// blanks in one word (\" and \\ inside them; other backslashes are kept).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace posim {

std::vector<std::string> SplitCommandLine(std::string_view line);

// A word of a command line as posimctl writes it: quoted when needed.
std::string QuoteCommandWord(std::string_view word);

}  // namespace posim
