// The commands that posimctl runs itself, beside sending one line. On
// Windows (posimctl_streams_win32.cpp) each only says that it is not there.
#pragma once

#include <string>
#include <vector>

#include "posim/control_client.h"

namespace posimctl {

// posimctl play [--check] FILE
int Play(const Endpoint& endpoint, const std::vector<std::string>& words);
// posimctl watch [DEVICE|all]
int Watch(const Endpoint& endpoint, const std::vector<std::string>& words);
// posimctl trace [events] [--to FILE]
int Trace(const Endpoint& endpoint, const std::vector<std::string>& words);

#if !defined(_WIN32)
// Opens a stream: the command's "ok" read, the rest left to the reader. -1
// with the message printed when it cannot be opened.
int OpenStream(const Endpoint& endpoint, const std::string& line, std::string& rest);
#endif

}  // namespace posimctl
