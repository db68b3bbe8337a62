// posimctl on Windows: the scenarios and the live view (play, watch) are
// there on POSIX hosts only; trace is (control_client_win32.cpp).
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

}  // namespace posimctl
