// The control channel: a local socket on which posimctl (or a test) sends one
// command line per connection and reads the reply (control_channel_posix.cpp;
// on Windows a named pipe that stands for the socket's path,
// control_channel_win32.cpp). A line longer than 64 KiB, or none within a few
// seconds, is answered with an error and not run.
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
// own. A socket left at path by a program that ended without removing it is
// replaced; anything else there (a live socket, a plain file) is left alone,
// and then nullptr is returned: the simulator works without the channel.
std::unique_ptr<ControlChannel> StartControlChannel(const char* path, CommandHandler handler);

}  // namespace posim
