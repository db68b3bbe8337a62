// Key sequences after ESC: a sequence decodes to a key only when whole and
// short enough; the decoder never reads beyond the bytes it is given.
#include "fuzz/fuzz_input.h"
#include "ui/terminal/escape_keys.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(fuzz::AsText(data, size));  // exactly its size: ASan sees an overread
  const bool whole = terminal::IsWholeEscapeSequence(bytes);
  const std::optional<terminal::InputEvent> event = terminal::DecodeEscapeSequence(bytes);
  if (event) {
    fuzz::Check(whole, "a key from a sequence that is not whole");
    fuzz::Check(bytes.size() <= terminal::kMaxEscapeSequence, "a key from an overlong sequence");
    fuzz::Check(event->key != terminal::Key::kChar, "a typed character from a sequence");
  }
  return 0;
}
