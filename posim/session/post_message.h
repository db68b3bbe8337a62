// The window system's posting call, as a POS library finds it
// (post_message_posix.cpp / _win32.cpp): on POSIX the host program's exported
// PostMessageA, nullptr when it has none; on Windows USER32's.
#pragma once

#include "codes/pos_library.h"

namespace posim {

PosPostMessageFn FindPostMessage();

}  // namespace posim
