// The control channel's place on Windows: a named pipe whose name stands for
// the channel's path, so that the channel of one directory is found as the
// POSIX socket file of that directory would be. The name carries the user's
// name; the pipe refuses remote clients, lets only its user open it, and
// the channel serves a client only when its process runs as that user.
//
// Each client has a pipe instance of its own. It writes one command line,
// ended by its line feed; the channel writes the reply, or a stream for as
// long as the client stays, and then closes its end: the client reads to
// the broken pipe, which comes after everything written.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace posim {

// The user a process runs as: its token's user SID, copied; empty when it
// cannot be told.
std::vector<BYTE> ProcessUser(HANDLE process);

// The user of a pipe instance's client process; empty when it cannot be told.
std::vector<BYTE> PipeClientUser(HANDLE pipe);

// How a user is shown: "DOMAIN\name (S-1-...)", or only the SID where it has
// no name; "an unknown user" for none.
std::string UserName(PSID user);

// Whether client is the owner (both valid SIDs, equal); else the refusal
// the client is sent.
bool ClientIsOwner(PSID owner, PSID client, std::string& refusal);

// On a client's connection: whether the pipe's server process runs as this
// process's user. Else the refusal, as the channel would send it with the
// server's user as the owner: the name is predictable, and another user may
// have made the pipe first to receive the commands.
bool ServerIsOurs(HANDLE pipe, std::string& refusal);

// Security attributes that let only one user at the pipe, with every
// right (further instances too).
class OwnerOnlyAccess {
 public:
  explicit OwnerOnlyAccess(std::vector<BYTE> owner);
  OwnerOnlyAccess(const OwnerOnlyAccess&) = delete;
  OwnerOnlyAccess& operator=(const OwnerOnlyAccess&) = delete;
  // nullptr when they could not be made.
  SECURITY_ATTRIBUTES* attributes() { return made_ ? &attributes_ : nullptr; }
  PSID owner() { return owner_.data(); }

 private:
  std::vector<BYTE> owner_;
  std::vector<BYTE> acl_;
  SECURITY_DESCRIPTOR descriptor_ = {};
  SECURITY_ATTRIBUTES attributes_ = {};
  bool made_ = false;
};

// "\\.\pipe\posim-USER-HASH": HASH of the full path, case folded.
std::string ControlPipeName(const char* path);

// A client's connection to the pipe of path, waiting a while when every
// instance is taken; INVALID_HANDLE_VALUE when none listens. The server may
// only identify the client, not act as it.
HANDLE ConnectToPipe(const std::string& path);

// Sends bytes as they are on a client's connection, reads the reply to its
// end and closes the connection; false when nothing was sent or replied.
bool ExchangeOn(HANDLE pipe, const std::string& bytes, std::string& reply);

enum class PipeExchange { kReplied, kNoPipe, kNotSent };

// Connects to the pipe of path, sends bytes as they are and reads the reply
// to its end.
PipeExchange ExchangeOnPipe(const std::string& path, const std::string& bytes, std::string& reply);

}  // namespace posim
