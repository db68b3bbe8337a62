// Text for the terminal's clipboard: the OSC 52 sequence, which xterm, tmux
// (with set-clipboard on) and most current terminals take. The text goes
// base64-encoded, so no byte of it reaches the terminal raw.
#pragma once

#include <string>
#include <string_view>

namespace terminal {

std::string Base64(std::string_view bytes);

// ESC ] 52 ; c ; base64 BEL: the text to the clipboard selection.
std::string ClipboardSequence(std::string_view text);

}  // namespace terminal
