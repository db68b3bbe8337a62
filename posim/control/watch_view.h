// What "posimctl watch" shows: the terminal as it stands, redrawn whenever it
// changes. Every line is printable text (bytes escaped), at most one screen
// row's worth of meaning each.
#pragma once

#include <string>

#include "posim/devices/device.h"

namespace posim {

// The view of one device (by name or class word) or of the whole terminal
// ("all"): its state, what it shows or printed or has waiting to be read, the
// open handles and who acquired what. false when what names no device.
bool WatchFrame(Client& client, const std::string& what, std::string& frame);

}  // namespace posim
