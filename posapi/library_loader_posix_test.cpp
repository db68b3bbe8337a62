// The POSIX loader: bare names map to the platform's file name and are found
// beside the running program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "posapi/library_loader.h"

namespace posapi {
namespace {

TEST(LibraryLoaderTest, BareNamesAreFoundBesideTheProgram) {
  namespace fs = std::filesystem;
  const fs::path beside = fs::read_symlink("/proc/self/exe").parent_path();
  const fs::path copy = beside / "libposapi_loader_probe.so";
  fs::copy_file(TESTLIB_PATH, copy, fs::copy_options::overwrite_existing);

  const struct {
    const char* name;
    bool found;
  } cases[] = {
      {"posapi_loader_probe.dll", true},
      {"posapi_loader_probe", true},
      {"posapi_loader_missing.dll", false},
      {"/nonexistent/libposapi_loader_probe.so", false},
      {TESTLIB_PATH, true},
  };
  for (const auto& c : cases) {
    LibraryHandle library = OpenLibrary(c.name);
    EXPECT_EQ(library != nullptr, c.found) << c.name;
    if (library != nullptr) CloseLibrary(library);
  }
  fs::remove(copy);
}

TEST(LibraryLoaderTest, ExportsAreResolvedByTheirExactNames) {
  LibraryHandle library = OpenLibrary(TESTLIB_PATH);
  ASSERT_NE(library, nullptr);
  EXPECT_NE(FindLibraryEntry(library, "DLL_PosIOCtl"), nullptr);
  EXPECT_EQ(FindLibraryEntry(library, "DLL_PosIoctl"), nullptr);
  EXPECT_NE(FindLibraryEntry(library, "DLL_PosVersion"), nullptr);
  CloseLibrary(library);
}

}  // namespace
}  // namespace posapi
