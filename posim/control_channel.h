// The control channel: a local socket on which posimctl (or a test) sends one
// command line per connection and reads the reply (control_channel_posix.cpp;
// absent on Windows for now).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace posim {

// The socket, in the current directory of the program that loads the library.
inline constexpr const char* kControlSocketName = "posim.sock";

using CommandHandler = std::function<std::string(std::string_view line)>;

class ControlChannel {
 public:
  virtual ~ControlChannel() = default;  // stops listening and removes the socket
};

// Listens at path and runs handler for each command line on a thread of its
// own. nullptr when the channel cannot be opened (e.g. another simulator
// already listens there); the simulator works without it.
std::unique_ptr<ControlChannel> StartControlChannel(const char* path, CommandHandler handler);

}  // namespace posim
