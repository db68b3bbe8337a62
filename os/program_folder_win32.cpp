// Windows: the folder of the program's own file.
#include <windows.h>

#include <cstring>

#include "os/program_folder.h"

namespace os {

std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  if (n == 0 || n >= sizeof path) return {};
  path[n] = '\0';
  char* slash = std::strrchr(path, '\\');
  if (slash == nullptr) return {};
  return std::string(path, slash + 1);
}

}  // namespace os
