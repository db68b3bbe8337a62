// The fixture's window on POSIX hosts: a number, and the program's own
// PostMessageA, which the library looks up and calls from its thread.
#include <thread>

#include "posim/tests/library_fixture.h"

extern "C" __attribute__((visibility("default"))) int PostMessageA(std::uintptr_t window,
                                                                   std::uint32_t message,
                                                                   std::uintptr_t wparam,
                                                                   std::intptr_t lparam) {
  posim_test::RecordPost({window, message, wparam, lparam, std::this_thread::get_id()});
  return 1;
}

namespace posim_test {

std::uintptr_t MakeTestWindow() {
  static std::uintptr_t next = 0x1234;
  return next++;
}

// Posts are recorded as they are made.
void PumpPosts() {}

}  // namespace posim_test
