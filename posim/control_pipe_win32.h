// The control channel's place on Windows: a named pipe whose name stands for
// the channel's path, so that the channel of one directory is found as the
// POSIX socket file of that directory would be. The name carries the user's
// name; the pipe refuses remote clients.
//
// A client writes one command line, ended by its line feed; the channel
// answers with the reply's length in decimal, a line feed and the reply, and
// drops the connection when the client has closed its end (a pipe has no
// half-close to tell the end of a text).
#pragma once

#include <string>

namespace posim {

// "\\.\pipe\posim-USER-HASH": HASH of the full path, case folded.
std::string ControlPipeName(const char* path);

std::string FramedReply(const std::string& reply);

enum class PipeExchange { kReplied, kNoPipe, kNotSent };

// Connects to the pipe of path (waiting a while when another client has it),
// sends bytes as they are and reads the reply.
PipeExchange ExchangeOnPipe(const std::string& path, const std::string& bytes, std::string& reply);

}  // namespace posim
