#include "posim/control/control_streams.h"

#include <chrono>
#include <string>
#include <vector>

#include "posim/channel/command_words.h"
#include "posim/control/control_commands.h"
#include "posim/control/watch_view.h"
#include "posim/devices/codes.h"

namespace posim {

namespace {

using std::chrono::milliseconds;

// How often a stream looks whether its client is still there.
constexpr milliseconds kPatience(200);
// The least time between two views: bursts of calls are drawn once.
constexpr milliseconds kViewInterval(40);

void Trace(Simulator& simulator, const std::vector<std::string>& words,
           ControlConnection& connection) {
  const bool events = words.size() == 2 && words[1] == "events";
  if (words.size() > 2 || (words.size() == 2 && !events)) {
    connection.Send("error: usage: trace [events]\n");
    return;
  }
  Observers::Subscription feed(simulator.observers(), true, events);
  if (simulator.Inspect([](Client&) { return kOk; }) != kOk) {
    connection.Send("error: no POS session (initialise first)\n");
    return;
  }
  if (!connection.Send("ok\n")) return;
  std::uint64_t seen = simulator.observers().Changes();
  while (!connection.Gone()) {
    std::string text;
    for (const std::string& line : feed.Wait(seen, kPatience)) text += line + "\n";
    if (!text.empty() && !connection.Send(text)) return;
  }
  // The calls up to the end of the session (its PosTerm among them) still go out.
  std::string text;
  for (const std::string& line : feed.Wait(seen, milliseconds(0))) text += line + "\n";
  if (!text.empty()) connection.Send(text);
}

void Watch(Simulator& simulator, const std::vector<std::string>& words,
           ControlConnection& connection) {
  if (words.size() > 2) {
    connection.Send("error: usage: watch [DEVICE|all]\n");
    return;
  }
  const std::string what = words.size() == 2 ? words[1] : "all";
  Observers::Subscription changes(simulator.observers(), false, false);
  std::uint64_t seen = simulator.observers().Changes();
  std::string shown;
  std::string reply = "ok\n";
  while (!connection.Gone()) {
    std::string view;
    const std::int32_t status = simulator.Inspect(
        [&](Client& client) { return WatchFrame(client, what, view) ? kOk : kSysInvalidName; });
    if (status == kSysInvalidName) {
      connection.Send("error: the terminal has no device " + what + "\n");
      return;
    }
    if (status != kOk) {
      if (shown.empty()) connection.Send("error: no POS session (initialise first)\n");
      return;
    }
    if (view != shown) {
      if (!connection.Send(reply + view + std::string(kViewEnd))) return;
      shown = view;
      reply.clear();
    }
    simulator.clock().Sleep(kViewInterval);
    const std::uint64_t before = seen;
    while (seen == before && !connection.Gone()) changes.Wait(seen, kPatience);
  }
}

}  // namespace

void ServeControlLine(Simulator& simulator, std::string_view line, ControlConnection& connection) {
  const std::vector<std::string> words = SplitCommandLine(line);
  if (!words.empty() && words[0] == "trace") return Trace(simulator, words, connection);
  if (!words.empty() && words[0] == "watch") return Watch(simulator, words, connection);
  connection.Send(RunControlCommand(simulator, line));
}

}  // namespace posim
