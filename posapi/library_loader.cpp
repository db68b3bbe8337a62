#include "posapi/library_loader.h"

namespace posapi {

namespace {

class SystemLibraryLoader : public LibraryLoader {
 public:
  LibraryHandle Open(const char* name) override { return OpenLibrary(name); }
  LibraryEntry Find(LibraryHandle library, const char* export_name) override {
    return FindLibraryEntry(library, export_name);
  }
  void Close(LibraryHandle library) override { CloseLibrary(library); }
};

}  // namespace

LibraryLoader& SystemLoader() {
  static SystemLibraryLoader loader;
  return loader;
}

}  // namespace posapi
