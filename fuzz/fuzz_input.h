// Helpers the fuzz targets share: the input as text, split into fields, and
// a check that ends the run with a message when a property does not hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The input cut at each separator byte into at most count fields (the last
// takes the rest); missing fields are empty.
inline std::vector<std::string> Fields(std::string_view text, std::size_t count,
                                       char separator = '\n') {
  std::vector<std::string> fields;
  while (fields.size() + 1 < count) {
    const std::size_t end = text.find(separator);
    if (end == std::string_view::npos) break;
    fields.emplace_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  fields.emplace_back(text);
  fields.resize(count);
  return fields;
}

// A property of the code under test: when it does not hold, the run stops
// and the input is kept as a crash.
inline void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

}  // namespace fuzz
