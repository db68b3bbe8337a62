// Streams on every host: followed until Ctrl-C or the end of the session.
#include <cstdio>

#include "posim/posimctl/posimctl.h"

namespace posimctl {

bool TakeLine(std::string& buffer, std::string& line) {
  const std::size_t end = buffer.find('\n');
  if (end == std::string::npos) return false;
  line = buffer.substr(0, end);
  buffer.erase(0, end + 1);
  return true;
}

bool Stream::TakeOk() {
  std::string first;
  while (!Next(first)) {
    switch (Await(-1)) {
      case Waited::kStopped:
        return false;
      case Waited::kEnded:
        std::fputs(buffer_.empty() ? "posimctl: no reply\n" : buffer_.c_str(), stderr);
        return false;
      default:
        break;
    }
  }
  if (first == "ok") return true;
  std::fprintf(stderr, "%s\n", first.c_str());
  return false;
}

StreamEnd FollowStream(const Endpoint& endpoint, const std::string& line,
                       const std::function<void(const std::string& text)>& put) {
  CatchStops();
  Stream stream;
  if (!stream.Open(endpoint, line)) return Stopped() ? StreamEnd::kStopped : StreamEnd::kNotOpened;
  for (bool opened = true;; opened = false) {
    std::string text;
    for (std::string one; stream.Next(one);) text += one + "\n";
    if (opened || !text.empty()) put(text);
    switch (stream.Await(-1)) {
      case Stream::Waited::kStopped:
        return StreamEnd::kStopped;
      case Stream::Waited::kEnded:
        return StreamEnd::kSessionEnded;
      default:
        break;
    }
  }
}

}  // namespace posimctl
