// How posimctl reaches the simulated terminal: a Unix domain socket
// (posimctl_posix.cpp) or a named pipe (posimctl_win32.cpp).
#pragma once

#include <string>

namespace posimctl {

enum class Sent { kReplied, kNoTerminal, kNotSent };

// Sends one command line and reads the whole reply. place is where the
// terminal was looked for: the given one, or else "posim.sock" in the current
// directory and then beside posimctl (it names the first of these when no
// terminal answers).
Sent SendCommand(std::string& place, const std::string& line, std::string& reply);

}  // namespace posimctl
