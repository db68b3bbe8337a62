// Backslash escape sequences in the data typed into the Write dialog.
#pragma once

#include <cstddef>

#include "ui/port.h"

namespace dialogs {

// Replaces, in place, each escape sequence of the zero-terminated text by the
// byte it stands for. The result is never longer than the input and stays
// zero-terminated. An unknown sequence is logged and kept as it is. Returns
// the number of bytes decoded (a \0 sequence leaves a zero byte among them).
std::size_t DecodeEscapes(ui::Port& ui, char* text);

}  // namespace dialogs
