// The commands that posimctl runs itself, beside sending one line.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "posim/posimctl/control_client.h"

namespace posimctl {

// posimctl play [--check] FILE
int Play(const Endpoint& endpoint, const std::vector<std::string>& words);
// posimctl watch [DEVICE|all]
int Watch(const Endpoint& endpoint, const std::vector<std::string>& words);
// posimctl trace [events] [--to FILE]
int Trace(const Endpoint& endpoint, const std::vector<std::string>& words);

enum class StreamEnd { kNotOpened, kStopped, kSessionEnded };

// Follows a stream (control_streams.h): sends line and hands what arrives
// after its "ok" to put, line by line with their line ends, until a stop
// (Ctrl-C) or the end of the session. put is called once as soon as the
// stream is open, with what came with the "ok" (maybe nothing). When the
// stream cannot be opened, the reason is printed.
StreamEnd FollowStream(const Endpoint& endpoint, const std::string& line,
                       const std::function<void(const std::string& text)>& put);

// Whether posimctl's output goes to a terminal (rather than a file or pipe).
bool OutputIsTerminal();

}  // namespace posimctl
