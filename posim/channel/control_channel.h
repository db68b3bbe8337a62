// The control channel: a local endpoint on which posimctl or a test sends one
// command line per connection and reads the reply, or a stream (trace, watch)
// for as long as it stays connected: a Unix domain socket that only its owner
// may use (control_channel_posix.cpp), on Windows a named pipe that stands for
// the socket's path (control_channel_win32.cpp). Each connection is served on
// a thread of its own, so that an idle or slow client holds up nobody else. A
// line longer than 64 KiB, or none within a few seconds, is answered with an
// error and not run.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace posim {

// The socket, in the current directory of the program that loads the library.
inline constexpr const char* kControlSocketName = "posim.sock";

// The line that ends each view of a watch stream.
inline constexpr std::string_view kViewEnd = "\f\n";

// What a client of another user than the channel's is sent before it is
// let go; owner and client as the host names its users.
inline std::string OwnerOnlyRefusal(const std::string& owner, const std::string& client) {
  return "error: this simulated terminal belongs to " + owner +
         "; only its owner may drive it, and you are " + client + "\n";
}

// One client's connection, as the command handling sees it.
class ControlConnection {
 public:
  virtual ~ControlConnection() = default;
  // Sends text; false once the client is gone. Once the channel stops, only
  // what goes out at once is sent (a stream's last lines): it waits for nobody.
  virtual bool Send(std::string_view text) = 0;
  // Whether the client hung up or the channel stops.
  virtual bool Gone() = 0;
};

// Runs one command line; returns when its reply, or its stream, is over.
using ConnectionHandler = std::function<void(std::string_view line, ControlConnection&)>;

class ControlChannel {
 public:
  virtual ~ControlChannel() = default;  // stops listening, ends every connection
};

// Listens at path and runs handler for each connection's command line. A
// socket left at path by a program that ended without removing it is
// replaced; anything else there (a live socket, a plain file) is left alone.
// When it cannot listen, the simulator works without the channel, and the
// returned object (nullptr where nothing can be told) leaves word of why for
// posimctl until it is destroyed.
std::unique_ptr<ControlChannel> StartControlChannel(const char* path, ConnectionHandler handler);

}  // namespace posim
