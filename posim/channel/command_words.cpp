#include "posim/channel/command_words.h"

namespace posim {

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size()) return words;
    std::string word;
    if (line[i] == '"') {
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        // Only \" and \\ are escapes here; other backslashes stay for the words
        // that take escapes of their own (rs232).
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
          ++i;
        }
        word += line[i];
      }
      if (i < line.size()) ++i;  // the closing quote
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') word += line[i++];
    }
    words.push_back(word);
  }
}

std::string QuoteCommandWord(std::string_view word) {
  if (!word.empty() && word.find_first_of(" \t\"\\") == std::string_view::npos) {
    return std::string(word);
  }
  std::string quoted = "\"";
  for (const char c : word) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace posim
