// posimctl watch [DEVICE|all]: the simulator's view, redrawn in place on the
// terminal's other screen whenever it changes or the terminal's size does,
// until q, Ctrl-C or the end of the session; the terminal is given back as
// it was. Without a terminal the views are printed one after the other, each
// ended by an empty line.
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "posim/channel/control_channel.h"
#include "posim/posimctl/posimctl.h"
#include "posim/posimctl/posimctl_screen.h"

namespace posimctl {

namespace {

constexpr long kKeyTime = 50;  // ms between two looks at the keys and the size

// The view's lines, cut to the terminal: the first line, and as many of the
// last ones as fit, each at most as wide as the terminal.
void Draw(const Screen& screen, const std::vector<std::string>& lines, const std::string& what) {
  int rows = 0, columns = 0;
  screen.Size(rows, columns);
  if (rows < 3 || columns < 10) {
    rows = 24;
    columns = 80;
  }
  const std::size_t width = static_cast<std::size_t>(columns);
  const std::size_t room = static_cast<std::size_t>(rows) - 1;  // the last row tells how to end
  std::vector<std::string> shown;
  if (lines.size() <= room) {
    shown = lines;
  } else {
    shown.push_back(lines.front());
    shown.push_back("... " + std::to_string(lines.size() - room + 1) + " lines above");
    shown.insert(shown.end(), lines.end() - static_cast<long>(room - 2), lines.end());
  }
  std::string text = "\x1b[H";
  for (const std::string& line : shown) text += line.substr(0, width) + "\x1b[K\r\n";
  char clock[16];
  const std::time_t now = std::time(nullptr);
  std::strftime(clock, sizeof clock, "%H:%M:%S", std::localtime(&now));
  const std::string status = "watch " + what + " - q or Ctrl-C ends - as of " + clock;
  text += "\x1b[J\x1b[" + std::to_string(rows) + ";1H\x1b[7m" + status.substr(0, width) +
          "\x1b[0m\x1b[K";
  Screen::Put(text);
}

}  // namespace

int Watch(const Endpoint& endpoint, const std::vector<std::string>& words) {
  if (words.size() > 1) {
    std::fprintf(stderr, "usage: posimctl watch [DEVICE|all]\n");
    return 2;
  }
  const std::string what = words.empty() ? "all" : words[0];
  CatchStops();
  Stream stream;
  if (!stream.Open(endpoint, "watch " + what)) return Stopped() ? 0 : 1;
  std::unique_ptr<Screen> screen;
  if (OutputIsTerminal()) screen = std::make_unique<Screen>();
  if (screen != nullptr && !screen->live()) screen.reset();
  std::vector<std::string> view, last;
  int rows = 0, columns = 0;
  if (screen != nullptr) screen->Size(rows, columns);
  bool ended = false;
  while (true) {
    for (std::string line; stream.Next(line);) {
      if (line + "\n" != posim::kViewEnd) {
        view.push_back(line);
        continue;
      }
      last.swap(view);
      view.clear();
      if (screen != nullptr) {
        Draw(*screen, last, what);
      } else {
        for (const std::string& l : last) std::printf("%s\n", l.c_str());
        std::printf("\n");
        std::fflush(stdout);
      }
    }
    if (screen != nullptr) {
      if (screen->Quit()) break;
      int now_rows = 0, now_columns = 0;
      screen->Size(now_rows, now_columns);
      if (now_rows != rows || now_columns != columns) {
        rows = now_rows;
        columns = now_columns;
        Draw(*screen, last, what);
      }
    }
    const Stream::Waited waited = stream.Await(screen != nullptr ? kKeyTime : -1);
    if (waited == Stream::Waited::kStopped) break;
    if (waited == Stream::Waited::kEnded) {
      ended = true;
      break;
    }
  }
  screen.reset();
  if (ended) std::fprintf(stderr, "posimctl: the POS session ended\n");
  return 0;
}

}  // namespace posimctl
