// No control channel on Windows yet.
#include "posim/control_channel.h"

namespace posim {

std::unique_ptr<ControlChannel> StartControlChannel(const char*, ConnectionHandler) {
  return nullptr;
}

}  // namespace posim
