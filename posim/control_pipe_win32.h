// The control channel's place on Windows: a named pipe whose name stands for
// the channel's path, so that the channel of one directory is found as the
// POSIX socket file of that directory would be. The name carries the user's
// name; the pipe refuses remote clients.
//
// Each client has a pipe instance of its own. It writes one command line,
// ended by its line feed; the channel writes the reply, or a stream for as
// long as the client stays, and then closes its end: the client reads to
// the broken pipe, which comes after everything written.
#pragma once

#include <windows.h>

#include <string>

namespace posim {

// "\\.\pipe\posim-USER-HASH": HASH of the full path, case folded.
std::string ControlPipeName(const char* path);

// A client's connection to the pipe of path, waiting a while when every
// instance is taken; INVALID_HANDLE_VALUE when none listens.
HANDLE ConnectToPipe(const std::string& path);

// Sends bytes as they are on a client's connection, reads the reply to its
// end and closes the connection; false when nothing was sent or replied.
bool ExchangeOn(HANDLE pipe, const std::string& bytes, std::string& reply);

enum class PipeExchange { kReplied, kNoPipe, kNotSent };

// Connects to the pipe of path, sends bytes as they are and reads the reply
// to its end.
PipeExchange ExchangeOnPipe(const std::string& path, const std::string& bytes, std::string& reply);

}  // namespace posim
