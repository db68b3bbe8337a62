#include "dialogs/pos_calls.h"
#include "posapi/binding.h"

namespace dialogs {

std::int32_t BoundPosCalls::Initialize(const char* application_name, const char* resource_file,
                                       std::int32_t reserved1, std::int32_t reserved2,
                                       ResourcePair* resources, std::int32_t count) {
  return posapi::PosInitialize(application_name, resource_file, reserved1, reserved2, resources,
                               count);
}

std::int32_t BoundPosCalls::Open(const char* device_name, const char* device_class,
                                 ResourcePair* resources, std::int32_t count) {
  return posapi::PosOpen(device_name, device_class, resources, count);
}

std::int32_t BoundPosCalls::Close(std::int32_t handle) {
  return posapi::PosClose(handle);
}

std::int32_t BoundPosCalls::Ioctl(std::int32_t handle, std::int32_t request,
                                  ResourcePair* resources, std::int32_t count) {
  return posapi::PosIoctl(handle, request, resources, count);
}

std::int32_t BoundPosCalls::Read(std::int32_t handle, void* buffer, std::int32_t size) {
  return posapi::PosRead(handle, buffer, size);
}

std::int32_t BoundPosCalls::Write(std::int32_t handle, const void* data, std::int32_t length) {
  return posapi::PosWrite(handle, data, length);
}

}  // namespace dialogs
