// Windows library loading: LoadLibraryA with the error mode that keeps the
// system from showing its own box for a missing file.
#include <windows.h>

#include "posapi/library_loader.h"

namespace posapi {

LibraryHandle OpenLibrary(const char* name) {
  const UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  HMODULE library = LoadLibraryA(name);
  SetErrorMode(previous);
  return reinterpret_cast<LibraryHandle>(library);
}

LibraryEntry FindLibraryEntry(LibraryHandle library, const char* export_name) {
  return reinterpret_cast<LibraryEntry>(
      GetProcAddress(reinterpret_cast<HMODULE>(library), export_name));
}

void CloseLibrary(LibraryHandle library) {
  FreeLibrary(reinterpret_cast<HMODULE>(library));
}

}  // namespace posapi
