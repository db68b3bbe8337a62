// One connection of the control channel, whatever carries it: a command line
// answered once (control_commands.h), or a stream that lasts until the
// client leaves or the session ends:
//
//   trace [events]      "ok", then a line for every call the library
//                       answers (call_trace.h), and with "events" for every
//                       event it posts
//   watch [DEVICE|all]  "ok", then the view of watch_view.h, again whenever
//                       it changes, each view ended by a line "\f"
//
// Streams never hold up the library: they wait on the observers, draw a view
// under the lock in one go, and write to the client outside it.
#pragma once

#include <string_view>

#include "posim/channel/control_channel.h"
#include "posim/session/simulator.h"

namespace posim {

void ServeControlLine(Simulator& simulator, std::string_view line, ControlConnection& connection);

}  // namespace posim
