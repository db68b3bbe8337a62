// A small POS library for the binding's tests with the system's loader: the
// eight entries (or seven, without DLL_PosVersion, when TEST_NO_VERSION is
// defined).
//
//   DLL_PosInitialize: application name "fail" -> status 308; otherwise the
//     resource file name is kept as the file that DLL_PosTerm writes the
//     number of its calls to.
//   DLL_PosOpen: handle 42, whatever it opens.
//   DLL_PosIOCtl: POS_SYS_GET_VALUES answers a pair named "libraryText" with
//     the address of a text of the library's own, kLibraryText.
//   Every other entry succeeds.
#include <cstdio>
#include <cstring>
#include <string>

#include "codes/pos_codes.h"
#include "codes/pos_library.h"

namespace {
constexpr int32_t kHandle = 42;
constexpr char kLibraryText[] = "TEXT OF THE LIBRARY";
std::string count_file;
int term_calls = 0;
}  // namespace

#if defined(_WIN32)
#define TESTLIB_EXPORT __declspec(dllexport)
#else
#define TESTLIB_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

TESTLIB_EXPORT int32_t POS_API_CALL DLL_PosInitialize(PosContext*, const char* application_name,
                                                      const char* resource_file, ResourcePair*,
                                                      int32_t) {
  if (std::string(application_name) == "fail") return 308;
  count_file = resource_file;
  return 0;
}

TESTLIB_EXPORT int32_t POS_API_CALL DLL_PosOpen(PosContext*, const char*, const char*,
                                                ResourcePair*, int32_t, int32_t* handle) {
  *handle = kHandle;
  return 0;
}

TESTLIB_EXPORT int32_t POS_API_CALL DLL_PosClose(PosContext*, int32_t) {
  return 0;
}

TESTLIB_EXPORT int32_t POS_API_CALL DLL_PosIOCtl(PosContext*, int32_t, int32_t request,
                                                 ResourcePair* resources, int32_t count, int32_t*) {
  if (request != POS_SYS_GET_VALUES) return 0;
  for (int32_t i = 0; i < count; ++i)
    if (resources[i].name != nullptr && std::strcmp(resources[i].name, "libraryText") == 0)
      resources[i].value = reinterpret_cast<uintptr_t>(kLibraryText);
  return 0;
}

TESTLIB_EXPORT int32_t POS_API_CALL DLL_PosRead(PosContext*, int32_t, void*, int32_t, int32_t*) {
  return 0;
}

TESTLIB_EXPORT int32_t POS_API_CALL DLL_PosWrite(PosContext*, int32_t, const void*, int32_t,
                                                 int32_t*) {
  return 0;
}

TESTLIB_EXPORT int32_t POS_API_CALL DLL_PosTerm(PosContext*) {
  ++term_calls;
  if (!count_file.empty()) {
    if (FILE* f = std::fopen(count_file.c_str(), "w")) {
      std::fprintf(f, "%d\n", term_calls);
      std::fclose(f);
    }
  }
  return 0;
}

#ifndef TEST_NO_VERSION
TESTLIB_EXPORT int32_t POS_API_CALL DLL_PosVersion(PosContext*, int32_t, int32_t, int32_t) {
  return 0;
}
#endif

}  // extern "C"
