// A small POS library for the binding's tests: the eight entries (or seven,
// without DLL_PosVersion, when TEST_NO_VERSION is defined), with behaviour the
// tests can steer through the arguments and counters they can read back.
//
//   DLL_PosInitialize: application name "fail" -> status 308; otherwise the
//     resource file name is kept as the file that DLL_PosTerm writes its count to.
//   DLL_PosOpen: device name "fail" -> out 7 and status 330; else out 42.
//   DLL_PosIOCtl: request 9001 -> out = number of DLL_PosClose calls;
//     9002 -> status 316; any other -> out = request + 1.
//   DLL_PosRead / DLL_PosWrite: out = the size / length given.
#include <cstdio>
#include <cstring>
#include <string>

#include "posapi/pos_library.h"

namespace {
std::string count_file;
int term_calls = 0;
int close_calls = 0;
}  // namespace

extern "C" {

int32_t DLL_PosInitialize(PosContext*, const char* application_name, const char* resource_file,
                          ResourcePair*, int32_t) {
  if (std::strcmp(application_name, "fail") == 0) return 308;
  count_file = resource_file;
  return 0;
}

int32_t DLL_PosOpen(PosContext*, const char* device_name, const char*, ResourcePair*, int32_t,
                    int32_t* out) {
  if (std::strcmp(device_name, "fail") == 0) {
    *out = 7;
    return 330;
  }
  *out = 42;
  return 0;
}

int32_t DLL_PosClose(PosContext*, int32_t) {
  ++close_calls;
  return 0;
}

int32_t DLL_PosIOCtl(PosContext*, int32_t, int32_t request, ResourcePair*, int32_t, int32_t* out) {
  if (request == 9001) {
    *out = close_calls;
    return 0;
  }
  if (request == 9002) return 316;
  *out = request + 1;
  return 0;
}

int32_t DLL_PosRead(PosContext*, int32_t, void*, int32_t size, int32_t* out) {
  *out = size;
  return 0;
}

int32_t DLL_PosWrite(PosContext*, int32_t, const void*, int32_t length, int32_t* out) {
  *out = length;
  return 0;
}

int32_t DLL_PosTerm(PosContext*) {
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
int32_t DLL_PosVersion(PosContext*, int32_t, int32_t, int32_t) {
  return 0;
}
#endif

}  // extern "C"
