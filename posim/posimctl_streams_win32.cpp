// posimctl on Windows: the live view (watch) is there on POSIX hosts only.
#include <cstdio>

#include "posim/posimctl.h"

namespace posimctl {

namespace {

int NotHere(const char* word) {
  std::fprintf(stderr,
               "posimctl: '%s' is not available on Windows; 'posimctl trace' follows the "
               "calls as they happen\n",
               word);
  return 2;
}

}  // namespace

int Watch(const Endpoint&, const std::vector<std::string>&) {
  return NotHere("watch");
}

}  // namespace posimctl
