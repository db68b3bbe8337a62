// The calls through the binding. errno is cleared before each call: a
// library that answers success with a negative count or handle is reported
// with status 0, never with an errno left from before.
#include <cerrno>

#include "dialogs/pos_calls.h"
#include "posapi/binding.h"

namespace dialogs {

std::int32_t BoundPosCalls::Initialize(const char* application_name, const char* resource_file,
                                       std::int32_t reserved1, std::int32_t reserved2,
                                       ResourcePair* resources, std::int32_t count) {
  errno = 0;
  return posapi::PosInitialize(application_name, resource_file, reserved1, reserved2, resources,
                               count);
}

std::int32_t BoundPosCalls::Open(const char* device_name, const char* device_class,
                                 ResourcePair* resources, std::int32_t count) {
  errno = 0;
  return posapi::PosOpen(device_name, device_class, resources, count);
}

std::int32_t BoundPosCalls::Close(std::int32_t handle) {
  errno = 0;
  return posapi::PosClose(handle);
}

std::int32_t BoundPosCalls::Ioctl(std::int32_t handle, std::int32_t request,
                                  ResourcePair* resources, std::int32_t count) {
  errno = 0;
  return posapi::PosIoctl(handle, request, resources, count);
}

std::int32_t BoundPosCalls::Read(std::int32_t handle, void* buffer, std::int32_t size) {
  errno = 0;
  return posapi::PosRead(handle, buffer, size);
}

std::int32_t BoundPosCalls::Write(std::int32_t handle, const void* data, std::int32_t length) {
  errno = 0;
  return posapi::PosWrite(handle, data, length);
}

}  // namespace dialogs
