// posimctl on Windows: the words that follow the terminal as it goes (play,
// watch, trace) are there on POSIX hosts only; the simulator serves their
// streams on the pipe all the same.
#include <cstdio>

#include "posim/posimctl.h"

namespace posimctl {

namespace {

int NotHere(const char* word) {
  std::fprintf(stderr,
               "posimctl: '%s' is not available on Windows; on Windows posimctl sends one "
               "command at a time (posimctl help)\n",
               word);
  return 2;
}

}  // namespace

int Play(const Endpoint&, const std::vector<std::string>&) {
  return NotHere("play");
}

int Watch(const Endpoint&, const std::vector<std::string>&) {
  return NotHere("watch");
}

int Trace(const Endpoint&, const std::vector<std::string>&) {
  return NotHere("trace");
}

}  // namespace posimctl
