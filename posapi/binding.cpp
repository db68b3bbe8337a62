// The binding to the POS API library: one process-wide record, the library
// loaded on the first successful PosInitialize, every call ending in
// PosResult. Platform-neutral: loading goes through library_loader.h.
#include "posapi/binding.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include "posapi/entry_call.h"
#include "posapi/library_loader.h"

namespace posapi {

namespace {

// The entries in the order they are stored and resolved.
enum Entry { kClose, kInitialize, kIoctl, kOpen, kRead, kTerm, kVersion, kWrite, kEntryCount };

// The bytes of an entry's arguments, as a stdcall export's name carries them
// (_NAME@N): four for each argument.
template <typename R, typename... Args>
constexpr int ArgumentBytes(R (*)(Args...)) {
  return 4 * static_cast<int>(sizeof...(Args));
}

struct Export {
  const char* name;
  int argument_bytes;
};

constexpr Export kExports[kEntryCount] = {
    {"DLL_PosClose", ArgumentBytes(DLL_PosClose_fn{})},
    {"DLL_PosInitialize", ArgumentBytes(DLL_PosInitialize_fn{})},
    {"DLL_PosIOCtl", ArgumentBytes(DLL_PosIOCtl_fn{})},
    {"DLL_PosOpen", ArgumentBytes(DLL_PosOpen_fn{})},
    {"DLL_PosRead", ArgumentBytes(DLL_PosRead_fn{})},
    {"DLL_PosTerm", ArgumentBytes(DLL_PosTerm_fn{})},
    {"DLL_PosVersion", ArgumentBytes(DLL_PosVersion_fn{})},
    {"DLL_PosWrite", ArgumentBytes(DLL_PosWrite_fn{})},
};

struct PosApiBinding {
  std::int32_t initialised = 0;
  std::int32_t exit_hook_registered = 0;
  LibraryEntry entries[kEntryCount] = {};  // all set or all null
};

PosApiBinding binding;
LibraryHandle library = nullptr;  // meaningful only while the entries are set
PosContext context = {};          // the library's per-client state
std::string library_file_for_testing;
LibraryLoader* loader_for_testing = nullptr;

LibraryLoader& Loader() {
  return loader_for_testing != nullptr ? *loader_for_testing : SystemLoader();
}

// Calls an entry of the loaded library, the caller's PosContext first.
template <typename Fn, typename... Args>
std::int32_t Call(Entry entry, Args... args) {
  return CallLibraryEntry<Fn>(binding.entries[entry], &context, args...);
}

// Ends every operation. A success leaves errno as the caller had it
// (errno_before), whatever the loader or the library did to it meanwhile.
std::int32_t PosResult(std::int32_t status, std::int32_t value, int errno_before) {
  if (status == 0) {
    errno = errno_before;
    return value;
  }
  errno = status;
  return -1;
}

// An operation that calls one entry of the initialised library: refused with
// 302 while not initialised, or with refusal (when not 0) before the library
// is asked. call(&out) makes the call; out starts at 0 and is the result on
// success.
template <typename MakeCall>
std::int32_t CallEntry(MakeCall call, std::int32_t refusal = 0) {
  const int errno_before = errno;
  std::int32_t out = 0;
  if (binding.initialised == 0) return PosResult(kStatusNotInitialized, 0, errno_before);
  if (refusal != 0) return PosResult(refusal, 0, errno_before);
  const std::int32_t status = call(&out);
  return PosResult(status, out, errno_before);
}

void ClearEntries() {
  for (LibraryEntry& entry : binding.entries) entry = nullptr;
}

// An export by its plain name, else by the names a stdcall export of it gets:
// _NAME@N (as compilers decorate it) or NAME@N (as some linkers export it).
LibraryEntry FindEntry(const Export& entry) {
  if (LibraryEntry found = Loader().Find(library, entry.name)) return found;
  // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "_" + string.
  std::string decorated = "_";
  decorated.append(entry.name).append("@").append(std::to_string(entry.argument_bytes));
  if (LibraryEntry found = Loader().Find(library, decorated.c_str())) return found;
  return Loader().Find(library, decorated.c_str() + 1);
}

std::int32_t LoadPosLibrary() {
  const char* name =
      library_file_for_testing.empty() ? POS_LIBRARY_NAME : library_file_for_testing.c_str();
  library = Loader().Open(name);
  if (library == nullptr) return kStatusNoLibrary;
  bool complete = true;
  for (int i = 0; i < kEntryCount; ++i) {
    binding.entries[i] = FindEntry(kExports[i]);
    if (binding.entries[i] == nullptr) complete = false;
  }
  if (!complete) {
    ClearEntries();
    Loader().Close(library);
    return kStatusNoLibrary;
  }
  return 0;
}

void FreePosLibrary() {
  Loader().Close(library);
  ClearEntries();
}

void PosTermAtExit() {
  if (binding.initialised == 1) PosTerm();
}

}  // namespace

void SetLibraryFileForTesting(const char* path) {
  library_file_for_testing = path == nullptr ? "" : path;
}

void SetLoaderForTesting(LibraryLoader* loader) {
  loader_for_testing = loader;
}

std::int32_t PosInitialize(const char* application_name, const char* resource_file,
                           std::int32_t /*reserved1*/, std::int32_t /*reserved2*/,
                           ResourcePair* resources, std::int32_t count) {
  const int errno_before = errno;
  if (binding.initialised == 1) return PosResult(kStatusAlreadyInitialized, 0, errno_before);
  std::int32_t status = LoadPosLibrary();
  if (status != 0) return PosResult(status, 0, errno_before);
  status =
      Call<DLL_PosInitialize_fn>(kInitialize, application_name, resource_file, resources, count);
  if (status != 0) {
    FreePosLibrary();
    return PosResult(status, 0, errno_before);
  }
  binding.initialised = 1;
  if (binding.exit_hook_registered == 0) {
    status = std::atexit(PosTermAtExit) == 0 ? 0 : -1;
    binding.exit_hook_registered = 1;
  }
  return PosResult(status, 0, errno_before);
}

std::int32_t PosOpen(const char* device_name, const char* device_class, ResourcePair* resources,
                     std::int32_t count) {
  return CallEntry([&](std::int32_t* out) {
    return Call<DLL_PosOpen_fn>(kOpen, device_name, device_class, resources, count, out);
  });
}

std::int32_t PosClose(std::int32_t handle) {
  // Handle 0 is the event queue: never closed.
  return CallEntry([&](std::int32_t*) { return Call<DLL_PosClose_fn>(kClose, handle); },
                   handle == 0 ? kStatusNotSupported : 0);
}

std::int32_t PosIoctl(std::int32_t handle, std::int32_t request, ResourcePair* resources,
                      std::int32_t count) {
  return CallEntry([&](std::int32_t* out) {
    return Call<DLL_PosIOCtl_fn>(kIoctl, handle, request, resources, count, out);
  });
}

std::int32_t PosRead(std::int32_t handle, void* buffer, std::int32_t size) {
  return CallEntry(
      [&](std::int32_t* out) { return Call<DLL_PosRead_fn>(kRead, handle, buffer, size, out); });
}

std::int32_t PosWrite(std::int32_t handle, const void* data, std::int32_t length) {
  return CallEntry(
      [&](std::int32_t* out) { return Call<DLL_PosWrite_fn>(kWrite, handle, data, length, out); });
}

std::int32_t PosTerm() {
  const int errno_before = errno;
  if (binding.initialised == 0) return PosResult(kStatusNotInitialized, 0, errno_before);
  binding.initialised = 0;
  const std::int32_t status = Call<DLL_PosTerm_fn>(kTerm);
  FreePosLibrary();
  return PosResult(status, 0, errno_before);
}

std::int32_t PosVersion(std::int32_t a, std::int32_t b, std::int32_t c) {
  return CallEntry([&](std::int32_t*) { return Call<DLL_PosVersion_fn>(kVersion, a, b, c); });
}

}  // namespace posapi
