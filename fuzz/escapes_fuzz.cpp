// The Write dialog's escape sequences: decoding never grows the text, never
// reads past its end, and logs at most one line per escape.
#include <cstring>

#include "codes/escapes.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(fuzz::AsText(data, size));
  const std::size_t length = std::strlen(text.c_str());  // the dialog's text ends at a zero
  std::vector<char> buffer(text.c_str(), text.c_str() + length + 1);
  std::vector<std::string> complaints;
  const std::size_t decoded = codes::DecodeEscapes(buffer.data(), complaints);
  fuzz::Check(decoded <= length, "decoded more bytes than typed");
  fuzz::Check(buffer[decoded] == '\0', "the decoded text is not terminated");
  fuzz::Check(complaints.size() <= length / 2, "more lines than escapes");
  return 0;
}
