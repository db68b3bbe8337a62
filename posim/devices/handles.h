// Opening and closing devices, and the checks every call on a handle makes.
#pragma once

#include <cstdint>

#include "posim/devices/device.h"

namespace posim {

// Opens a device by name and class. "DEVNAME" is the generic name: the first
// device of the class. Class "PosDevice" opens a device of any class (the
// pairs deviceNumber, subtype, slot and port pick one), class "PosSystem" a
// handle on the session. The pair "queueHandle" names the window for the
// handle's events; other pairs are values the device takes.
std::int32_t OpenDevice(Client& client, const char* name, const char* device_class,
                        ResourcePair* pairs, std::int32_t count, std::int32_t* handle_out);

// Frees an acquired device (unlocked too) and posts POSM_SYS_DEVICE_RELEASED
// under the first handle still open on it (0 when none is).
void ReleaseDevice(Client& client, Device& device);

// Closes a handle, releasing the device if the handle had acquired it.
std::int32_t CloseHandle(Client& client, std::int32_t handle);

// One attempt to read (handle 0: the event queue) or to write.
std::int32_t ReadHandle(Client& client, std::int32_t handle, void* buffer, std::int32_t size,
                        std::int32_t* out);
std::int32_t WriteHandle(Client& client, std::int32_t handle, const void* data, std::int32_t length,
                         std::int32_t* out);

}  // namespace posim
