// A POS library for 32-bit hosts that checks what it receives: every entry
// compares its arguments with checked_calls.h and returns 0 when all are as
// expected, else kWrongArgument plus the place of the first wrong one. Built
// twice, with the C convention and with stdcall entries (POS_API_CALL), so
// that one program is shown to call both.
//
// The pairs are read as the bytes a 32-bit caller lays out: 8 bytes a pair,
// the name's address at offset 0, the value at offset 4.
#include <cstring>

#include "codes/pos_library.h"
#include "posapi/testlib/checked_calls.h"

namespace {

using namespace checked;

constexpr int kPairSize = 8;
constexpr int kValueOffset = 4;

PosContext* first_context = nullptr;  // every call gets the same one
unsigned char pair_bytes[kPairBytesKept];
int32_t pair_bytes_kept = 0;

uint32_t Word(const void* base, int offset) {
  uint32_t word;
  std::memcpy(&word, static_cast<const unsigned char*>(base) + offset, sizeof word);
  return word;
}

bool SameText(uint32_t address, const char* want) {
  const char* text = reinterpret_cast<const char*>(static_cast<uintptr_t>(address));
  return text != nullptr && std::strcmp(text, want) == 0;
}

// The first argument that is not as expected: kWrongArgument plus its place;
// 0 when all are.
class Checks {
 public:
  explicit Checks(PosContext* context) {
    if (first_context == nullptr) first_context = context;
    Next(context != nullptr && context == first_context);
  }
  Checks& Next(bool right) {
    ++place_;
    if (!right && status_ == 0) status_ = kWrongArgument + place_;
    return *this;
  }
  int32_t status() const { return status_; }

 private:
  int32_t place_ = 0;
  int32_t status_ = 0;
};

}  // namespace

#if defined(_WIN32)
#define CHECKING_EXPORT __declspec(dllexport)
#else
#define CHECKING_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

CHECKING_EXPORT int32_t POS_API_CALL DLL_PosInitialize(PosContext* context,
                                                       const char* application_name,
                                                       const char* resource_file,
                                                       ResourcePair* resources, int32_t count) {
  return Checks(context)
      .Next(std::strcmp(application_name, kApplication) == 0)
      .Next(std::strcmp(resource_file, kResourceFile) == 0)
      .Next(SameText(Word(resources, 0), kQueueHandleName) &&
            Word(resources, kValueOffset) == kQueueHandle)
      .Next(count == 1)
      .status();
}

CHECKING_EXPORT int32_t POS_API_CALL DLL_PosOpen(PosContext* context, const char* device_name,
                                                 const char* device_class, ResourcePair* resources,
                                                 int32_t count, int32_t* handle) {
  const int32_t status = Checks(context)
                             .Next(std::strcmp(device_name, kDeviceName) == 0)
                             .Next(std::strcmp(device_class, kDeviceClass) == 0)
                             .Next(resources != nullptr)
                             .Next(count == kOpenCount)
                             .Next(handle != nullptr && *handle == 0)
                             .status();
  if (status == 0) *handle = kHandle;
  return status;
}

CHECKING_EXPORT int32_t POS_API_CALL DLL_PosClose(PosContext* context, int32_t handle) {
  return Checks(context).Next(handle == kHandle).status();
}

CHECKING_EXPORT int32_t POS_API_CALL DLL_PosIOCtl(PosContext* context, int32_t handle,
                                                  int32_t request, ResourcePair* resources,
                                                  int32_t count, int32_t* out) {
  const int32_t status = Checks(context)
                             .Next(handle == kHandle)
                             .Next(request == kRequest)
                             .Next(resources != nullptr)
                             .Next(count > 0 && count * kPairSize <= kPairBytesKept)
                             .Next(out != nullptr && *out == 0)
                             .status();
  if (status != 0) return status;
  pair_bytes_kept = count * kPairSize;
  std::memcpy(pair_bytes, resources, pair_bytes_kept);
  unsigned char* pairs = reinterpret_cast<unsigned char*>(resources);
  for (int32_t i = 0; i < count; ++i) {
    if (!SameText(Word(pairs, i * kPairSize), kLibraryTextName)) continue;
    const uint32_t address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(kLibraryText));
    std::memcpy(pairs + i * kPairSize + kValueOffset, &address, sizeof address);
  }
  *out = kIoctlOut;
  return 0;
}

CHECKING_EXPORT int32_t POS_API_CALL DLL_PosRead(PosContext* context, int32_t handle, void* buffer,
                                                 int32_t size, int32_t* bytes_read) {
  const int32_t status = Checks(context)
                             .Next(handle == kHandle)
                             .Next(buffer != nullptr)
                             .Next(size == kReadSize)
                             .Next(bytes_read != nullptr && *bytes_read == 0)
                             .status();
  if (status != 0) return status;
  std::memcpy(buffer, kReadData, kReadBytes);
  *bytes_read = kReadBytes;
  return 0;
}

CHECKING_EXPORT int32_t POS_API_CALL DLL_PosWrite(PosContext* context, int32_t handle,
                                                  const void* data, int32_t length, int32_t* out) {
  const int32_t status =
      Checks(context)
          .Next(handle == kHandle)
          .Next(data != nullptr && std::memcmp(data, kWriteData, kWriteLength) == 0)
          .Next(length == kWriteLength)
          .Next(out != nullptr && *out == 0)
          .status();
  if (status == 0) *out = length;
  return status;
}

CHECKING_EXPORT int32_t POS_API_CALL DLL_PosTerm(PosContext* context) {
  return Checks(context).status();
}

CHECKING_EXPORT int32_t POS_API_CALL DLL_PosVersion(PosContext* context, int32_t a, int32_t b,
                                                    int32_t c) {
  return Checks(context)
      .Next(a == kVersion[0])
      .Next(b == kVersion[1])
      .Next(c == kVersion[2])
      .status();
}

// The bytes of the pairs the last DLL_PosIOCtl received; returns their count.
CHECKING_EXPORT int32_t POS_API_CALL CheckingLibrary_PairBytes(unsigned char* out, int32_t size) {
  const int32_t n = size < pair_bytes_kept ? size : pair_bytes_kept;
  std::memcpy(out, pair_bytes, n);
  return n;
}

}  // extern "C"
