// posimctl trace [events] [--to FILE]: the library's calls as they happen,
// on the terminal and, when asked, into a file.
#include <cstdio>

#include "posim/posimctl/posimctl.h"

namespace posimctl {

int Trace(const Endpoint& endpoint, const std::vector<std::string>& words) {
  std::string file_name;
  bool events = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == "events") {
      events = true;
    } else if (words[i] == "--to" && i + 1 < words.size() && file_name.empty()) {
      file_name = words[++i];
    } else {
      std::fprintf(stderr, "usage: posimctl trace [events] [--to FILE]\n");
      return 2;
    }
  }
  FILE* file = nullptr;
  if (!file_name.empty() && (file = std::fopen(file_name.c_str(), "w")) == nullptr) {
    std::perror(("posimctl: " + file_name).c_str());
    return 2;
  }
  bool opened = false;
  const auto put = [&](const std::string& text) {
    if (!opened && OutputIsTerminal()) {
      std::fprintf(stderr, "tracing every call%s (Ctrl-C ends)%s%s\n", events ? " and event" : "",
                   file != nullptr ? ", also into " : "", file_name.c_str());
    }
    opened = true;
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    if (file != nullptr) {
      std::fputs(text.c_str(), file);
      std::fflush(file);
    }
  };
  const StreamEnd end = FollowStream(endpoint, events ? "trace events" : "trace", put);
  if (file != nullptr) std::fclose(file);
  if (end == StreamEnd::kNotOpened) return 1;
  if (end == StreamEnd::kSessionEnded) std::fprintf(stderr, "posimctl: the POS session ended\n");
  return 0;
}

}  // namespace posimctl
