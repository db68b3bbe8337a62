// posimctl trace [events] [--to FILE]: the library's calls as they happen,
// on the terminal and, when asked, into a file.
#include <unistd.h>

#include <cstdio>

#include "posim/control_commands.h"
#include "posim/posimctl.h"

namespace posimctl {

int OpenStream(const Endpoint& endpoint, const std::string& line, std::string& rest) {
  std::string error;
  const int fd = Connect(endpoint, error);
  if (fd < 0) {
    std::fprintf(stderr, "posimctl: %s\n", error.c_str());
    return -1;
  }
  SendLine(fd, line);
  LineReader reader(fd);
  std::string first;
  while (!reader.Next(first)) {
    if (Stopped() || !reader.Fill()) {
      close(fd);
      if (!Stopped()) std::fprintf(stderr, "posimctl: no reply\n");
      return -1;
    }
  }
  if (first != "ok") {
    std::fprintf(stderr, "%s\n", first.c_str());
    close(fd);
    return -1;
  }
  // What came with the "ok" belongs to the stream.
  std::string line_rest;
  while (reader.Next(line_rest)) rest += line_rest + "\n";
  return fd;
}

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
  CatchStops();
  std::string rest;
  const int fd = OpenStream(endpoint, events ? "trace events" : "trace", rest);
  if (fd < 0) {
    if (file != nullptr) std::fclose(file);
    return Stopped() ? 0 : 1;
  }
  if (isatty(STDOUT_FILENO)) {
    std::fprintf(stderr, "tracing every call%s (Ctrl-C ends)%s%s\n", events ? " and event" : "",
                 file != nullptr ? ", also into " : "", file_name.c_str());
  }
  const auto put = [&](const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    if (file != nullptr) {
      std::fputs(text.c_str(), file);
      std::fflush(file);
    }
  };
  put(rest);
  LineReader reader(fd);
  bool ended = false;
  while (!Stopped()) {
    if (!WaitFor(fd, -1)) break;
    if (!reader.Fill()) {
      ended = true;
      break;
    }
    std::string line;
    while (reader.Next(line)) put(line + "\n");
  }
  close(fd);
  if (file != nullptr) std::fclose(file);
  if (ended) std::fprintf(stderr, "posimctl: the POS session ended\n");
  return 0;
}

}  // namespace posimctl
