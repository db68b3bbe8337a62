// Bytes typed with the Write dialog's escape sequences (\r, \n, \x1B, \033,
// \0 ...), decoded by the dialog's own decoder.
#pragma once

#include <string>
#include <string_view>

namespace posim {

// The bytes of text; false, with the decoder's complaint in error, when text
// holds a sequence that the dialog would keep undecoded.
bool DecodeWriteEscapes(std::string_view text, std::string& bytes, std::string& error);

}  // namespace posim
