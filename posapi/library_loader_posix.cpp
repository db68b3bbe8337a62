// POSIX library loading: dlopen/dlsym/dlclose. The bare name "vekapi32.dll"
// becomes "libvekapi32.so", looked for in the directory of the running
// program before the system's search path.
#include <dlfcn.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "os/program_folder.h"
#include "posapi/library_loader.h"

namespace posapi {

namespace {

#ifdef __APPLE__
constexpr const char* kSuffix = ".dylib";
#else
constexpr const char* kSuffix = ".so";
#endif

// "vekapi32.dll" -> "libvekapi32.so"
std::string PlatformFileName(const char* name) {
  std::string base = name;
  const std::string dll = ".dll";
  if (base.size() > dll.size() &&
      strcasecmp(base.c_str() + base.size() - dll.size(), dll.c_str()) == 0) {
    base.resize(base.size() - dll.size());
  }
  return "lib" + base + kSuffix;
}

}  // namespace

LibraryHandle OpenLibrary(const char* name) {
  if (std::strchr(name, '/') != nullptr) return dlopen(name, RTLD_NOW | RTLD_LOCAL);
  const std::string file = PlatformFileName(name);
  const std::string beside = os::ProgramFolder();
  if (!beside.empty()) {
    if (void* library = dlopen((beside + file).c_str(), RTLD_NOW | RTLD_LOCAL)) return library;
  }
  return dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}

LibraryEntry FindLibraryEntry(LibraryHandle library, const char* export_name) {
  return reinterpret_cast<LibraryEntry>(dlsym(library, export_name));
}

void CloseLibrary(LibraryHandle library) {
  dlclose(library);
}

}  // namespace posapi
