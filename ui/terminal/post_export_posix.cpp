// The window system's posting call on POSIX hosts, exported by the program so
// that a POS library can post device events to a window from its own thread.
#include <cstdint>

#include "codes/pos_library.h"
#include "port/post_queue.h"

extern "C" __attribute__((visibility("default"))) int PostMessageA(std::uintptr_t window,
                                                                   std::uint32_t message,
                                                                   std::uintptr_t wparam,
                                                                   std::intptr_t lparam) {
  return ui::PostToWindow(window, message, static_cast<std::uint32_t>(wparam),
                          static_cast<std::uint32_t>(lparam))
             ? 1
             : 0;
}

// The signature must stay the one the library looks up.
static_assert(sizeof(PosPostMessageFn) == sizeof(&PostMessageA));
