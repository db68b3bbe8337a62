// Device events: each one is posted to a window and queued as a 16-byte
// record for reads on handle 0.
#pragma once

#include <cstdint>

#include "posim/devices/device.h"

namespace posim {

// The handle that a device's events name: the one that acquired it, else the
// first one open on it, else 0.
std::int32_t HandleOf(const Client& client, Device& device);

// An event of a device: wParam's low 16 bits are the device's handle, with
// wparam_high above them; lParam as given. Goes to the window of that handle
// when it has one, else to the session's "queueHandle".
void EmitDeviceEvent(Client& client, Device& device, std::uint32_t message, std::uint32_t lparam,
                     std::uint32_t wparam_high = 0);

// POSM_SYS_DEVICE_ONLINE or POSM_SYS_DEVICE_OFFLINE of a device.
void EmitOnlineState(Client& client, Device& device, bool online);

// Any event, as given, to the session's window.
void EmitRaw(Client& client, std::uint32_t message, std::uint32_t wparam, std::uint32_t lparam);

// Pops the next record into out; POSERR_SYS_TIMEOUT when the queue is empty,
// POSERR_SYS_DATA_DISCARDED once after events were dropped for want of room.
std::int32_t PopRecord(Client& client, PosqRecord& out);

}  // namespace posim
