#include <unistd.h>

#include <cstring>

#include "files/program_folder.h"

namespace files {

std::string ProgramFolder() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  path[n] = '\0';
  char* slash = std::strrchr(path, '/');
  if (slash == nullptr) return {};
  return std::string(path, slash + 1);
}

}  // namespace files
