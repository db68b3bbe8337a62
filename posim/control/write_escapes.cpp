#include "posim/control/write_escapes.h"

#include <vector>

#include "codes/escapes.h"

namespace posim {

bool DecodeWriteEscapes(std::string_view text, std::string& bytes, std::string& error) {
  if (text.find('\0') != std::string_view::npos) {
    error = "a zero byte is written \\0";
    return false;
  }
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  std::vector<std::string> complaints;
  const std::size_t n = codes::DecodeEscapes(buffer.data(), complaints);
  if (!complaints.empty()) {
    error = complaints.front();
    return false;
  }
  bytes.assign(buffer.data(), n);
  return true;
}

}  // namespace posim
