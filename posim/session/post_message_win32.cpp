// On Windows events go through USER32's PostMessageA.
#include <windows.h>

#include <cstdint>

#include "posim/session/post_message.h"

namespace posim {

namespace {

int PostThroughUser32(std::uintptr_t window, std::uint32_t message, std::uintptr_t wparam,
                      std::intptr_t lparam) {
  return PostMessageA(reinterpret_cast<HWND>(window), message, wparam, lparam) ? 1 : 0;
}

}  // namespace

PosPostMessageFn FindPostMessage() {
  return PostThroughUser32;
}

}  // namespace posim
