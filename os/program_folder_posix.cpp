#include <unistd.h>

#include <cstring>

#include "os/program_folder.h"

namespace os {

std::string ProgramFolder() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  path[n] = '\0';
  char* slash = std::strrchr(path, '/');
  if (slash == nullptr) return {};
  return std::string(path, slash + 1);
}

}  // namespace os
