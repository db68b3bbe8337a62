// A small POS library for the binding's tests: the eight entries (or seven,
// without DLL_PosVersion, when TEST_NO_VERSION is defined), with behaviour the
// tests can steer through the arguments and counters they can read back.
//
//   DLL_PosInitialize: application name "fail" -> status 308; "termfail" ->
//     DLL_PosTerm will return 321; the resource file name is kept as the file
//     that DLL_PosTerm writes its count to.
//   DLL_PosOpen: device name "fail" -> out 7 and status 330; else out 42.
//   DLL_PosIOCtl: request 9001 -> out = number of DLL_PosClose calls;
//     9002 -> status 316; any other -> out = request + 1. Request 302
//     (POS_SYS_GET_VALUES) answers a pair named "libraryText" with the
//     address of a text of the library's own, kLibraryText.
//   DLL_PosRead / DLL_PosWrite: out = the size / length given.
//
// Every call is recorded with its arguments (TestLib_LastCall), and every
// successful one leaves errno changed, as a library doing file I/O would.
#include "posapi/testlib/test_pos_library.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "posapi/pos_library.h"

namespace {
constexpr int32_t kGetValues = 302;
constexpr char kLibraryText[] = "TEXT OF THE LIBRARY";
std::string count_file;
int term_calls = 0;
int close_calls = 0;
int32_t term_status = 0;
TestLibCall last_call;

// Records a call; the fields it does not set stay zero.
TestLibCall& Record(const char* entry, PosContext* context, int32_t* out = nullptr) {
  last_call = TestLibCall{};
  last_call.entry = entry;
  last_call.context = context;
  last_call.out = out;
  if (out != nullptr) last_call.out_on_entry = *out;
  return last_call;
}

int32_t Succeed() {
  errno = EIO;
  return 0;
}

// A read or a write: out becomes the byte count given.
int32_t Transfer(const char* entry, PosContext* context, int32_t handle, const void* data,
                 int32_t count, int32_t* out) {
  TestLibCall& call = Record(entry, context, out);
  call.handle = handle;
  call.data = data;
  call.count = count;
  *out = count;
  return Succeed();
}
}  // namespace

extern "C" {

const TestLibCall* TestLib_LastCall() {
  return &last_call;
}

int32_t DLL_PosInitialize(PosContext* context, const char* application_name,
                          const char* resource_file, ResourcePair* resources, int32_t count) {
  TestLibCall& call = Record("DLL_PosInitialize", context);
  call.text1 = application_name;
  call.text2 = resource_file;
  call.resources = resources;
  call.count = count;
  if (std::strcmp(application_name, "fail") == 0) return 308;
  term_status = std::strcmp(application_name, "termfail") == 0 ? 321 : 0;
  count_file = resource_file;
  return Succeed();
}

int32_t DLL_PosOpen(PosContext* context, const char* device_name, const char* device_class,
                    ResourcePair* resources, int32_t count, int32_t* out) {
  TestLibCall& call = Record("DLL_PosOpen", context, out);
  call.text1 = device_name;
  call.text2 = device_class;
  call.resources = resources;
  call.count = count;
  if (std::strcmp(device_name, "fail") == 0) {
    *out = 7;
    return 330;
  }
  *out = 42;
  return Succeed();
}

int32_t DLL_PosClose(PosContext* context, int32_t handle) {
  Record("DLL_PosClose", context).handle = handle;
  ++close_calls;
  return Succeed();
}

int32_t DLL_PosIOCtl(PosContext* context, int32_t handle, int32_t request, ResourcePair* resources,
                     int32_t count, int32_t* out) {
  TestLibCall& call = Record("DLL_PosIOCtl", context, out);
  call.handle = handle;
  call.request = request;
  call.resources = resources;
  call.count = count;
  if (request == 9001) {
    *out = close_calls;
    return Succeed();
  }
  if (request == 9002) return 316;
  if (request == kGetValues) {
    for (int32_t i = 0; i < count; ++i)
      if (resources[i].name != nullptr && std::strcmp(resources[i].name, "libraryText") == 0)
        resources[i].value = reinterpret_cast<uintptr_t>(kLibraryText);
  }
  *out = request + 1;
  return Succeed();
}

int32_t DLL_PosRead(PosContext* context, int32_t handle, void* buffer, int32_t size, int32_t* out) {
  return Transfer("DLL_PosRead", context, handle, buffer, size, out);
}

int32_t DLL_PosWrite(PosContext* context, int32_t handle, const void* data, int32_t length,
                     int32_t* out) {
  return Transfer("DLL_PosWrite", context, handle, data, length, out);
}

int32_t DLL_PosTerm(PosContext* context) {
  Record("DLL_PosTerm", context);
  ++term_calls;
  if (!count_file.empty()) {
    if (FILE* f = std::fopen(count_file.c_str(), "w")) {
      std::fprintf(f, "%d\n", term_calls);
      std::fclose(f);
    }
  }
  return term_status != 0 ? term_status : Succeed();
}

#ifndef TEST_NO_VERSION
int32_t DLL_PosVersion(PosContext* context, int32_t a, int32_t b, int32_t c) {
  TestLibCall& call = Record("DLL_PosVersion", context);
  call.handle = a;
  call.request = b;
  call.count = c;
  return Succeed();
}
#endif

}  // extern "C"
