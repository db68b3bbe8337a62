// On POSIX hosts the program that loads the library exports PostMessageA.
#include <dlfcn.h>

#include "posim/session/post_message.h"

namespace posim {

PosPostMessageFn FindPostMessage() {
  return reinterpret_cast<PosPostMessageFn>(dlsym(RTLD_DEFAULT, POS_POST_MESSAGE_NAME));
}

}  // namespace posim
