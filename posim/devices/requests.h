// PosIoctl: the requests of the session and of each device class.
#pragma once

#include <cstdint>

#include "posim/devices/device.h"

namespace posim {

// Runs a request on an open handle (device nullptr: the session). A request
// of another class than the device's, or an unknown one, is
// POSERR_SYS_INVALID_REQUEST. A device request's pairs are values the device
// takes before it acts (tone frequency, pulse width, alarm time ...).
std::int32_t RunRequest(Client& client, std::int32_t handle, Device* device, std::int32_t request,
                        ResourcePair* pairs, std::int32_t count);

}  // namespace posim
