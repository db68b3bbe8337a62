// Loading a library at run time and resolving its exports: the one place
// where the binding meets the operating system (library_loader_posix.cpp,
// library_loader_win32.cpp). The binding reaches them through LibraryLoader,
// so that its tests can put a loader of their own in the system's place.
#pragma once

namespace posapi {

using LibraryHandle = void*;
using LibraryEntry = void (*)();

// Loads the library. A bare name such as "vekapi32.dll" is mapped to the
// platform's file name and looked for beside the running program first, then
// by the system's usual search; a name with a directory part is loaded as it
// is. Never shows a system message box. Returns nullptr on failure.
LibraryHandle OpenLibrary(const char* name);

// The address of an export, or nullptr when the library lacks it.
LibraryEntry FindLibraryEntry(LibraryHandle library, const char* export_name);

void CloseLibrary(LibraryHandle library);

class LibraryLoader {
 public:
  virtual ~LibraryLoader() = default;
  virtual LibraryHandle Open(const char* name) = 0;
  virtual LibraryEntry Find(LibraryHandle library, const char* export_name) = 0;
  virtual void Close(LibraryHandle library) = 0;
};

// The operating system's loader: the three functions above.
LibraryLoader& SystemLoader();

}  // namespace posapi
