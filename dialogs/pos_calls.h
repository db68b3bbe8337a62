// The POS calls the dialogs make. Each returns the call's result and, when it
// is -1, leaves the status in errno. Tests put a recording fake in its place.
#pragma once

#include <cstdint>

#include "codes/pos_library.h"

namespace dialogs {

class PosCalls {
 public:
  virtual ~PosCalls() = default;
  virtual std::int32_t Initialize(const char* application_name, const char* resource_file,
                                  std::int32_t reserved1, std::int32_t reserved2,
                                  ResourcePair* resources, std::int32_t count) = 0;
  virtual std::int32_t Open(const char* device_name, const char* device_class,
                            ResourcePair* resources, std::int32_t count) = 0;
  virtual std::int32_t Close(std::int32_t handle) = 0;
  virtual std::int32_t Ioctl(std::int32_t handle, std::int32_t request, ResourcePair* resources,
                             std::int32_t count) = 0;
  virtual std::int32_t Read(std::int32_t handle, void* buffer, std::int32_t size) = 0;
  virtual std::int32_t Write(std::int32_t handle, const void* data, std::int32_t length) = 0;
};

// The calls through the run-time binding to the POS library.
class BoundPosCalls : public PosCalls {
 public:
  std::int32_t Initialize(const char* application_name, const char* resource_file,
                          std::int32_t reserved1, std::int32_t reserved2, ResourcePair* resources,
                          std::int32_t count) override;
  std::int32_t Open(const char* device_name, const char* device_class, ResourcePair* resources,
                    std::int32_t count) override;
  std::int32_t Close(std::int32_t handle) override;
  std::int32_t Ioctl(std::int32_t handle, std::int32_t request, ResourcePair* resources,
                     std::int32_t count) override;
  std::int32_t Read(std::int32_t handle, void* buffer, std::int32_t size) override;
  std::int32_t Write(std::int32_t handle, const void* data, std::int32_t length) override;
};

}  // namespace dialogs
