// The tool's only road to the POS API library: loaded on the first successful
// PosInitialize, its eight entries resolved by name, every call ending with
// one result convention (failure: -1 and the status in errno).
#pragma once

#include <cstdint>

#include "codes/pos_codes.h"
#include "codes/pos_library.h"
#include "posapi/library_loader.h"

namespace posapi {

// Statuses the binding produces itself.
inline constexpr std::int32_t kStatusNotInitialized = POSERR_SYS_NOT_INITIALIZED;
inline constexpr std::int32_t kStatusAlreadyInitialized = POSERR_SYS_ALREADY_INITIALIZED;
inline constexpr std::int32_t kStatusNotSupported = POSERR_SYS_FUNCTION_NOT_SUPPORTED;
inline constexpr std::int32_t kStatusNoLibrary = 337;  // library missing or incomplete; no name

std::int32_t PosInitialize(const char* application_name, const char* resource_file,
                           std::int32_t reserved1, std::int32_t reserved2, ResourcePair* resources,
                           std::int32_t count);
std::int32_t PosOpen(const char* device_name, const char* device_class, ResourcePair* resources,
                     std::int32_t count);
std::int32_t PosClose(std::int32_t handle);
std::int32_t PosIoctl(std::int32_t handle, std::int32_t request, ResourcePair* resources,
                      std::int32_t count);
std::int32_t PosRead(std::int32_t handle, void* buffer, std::int32_t size);
std::int32_t PosWrite(std::int32_t handle, const void* data, std::int32_t length);
std::int32_t PosTerm();
std::int32_t PosVersion(std::int32_t a, std::int32_t b, std::int32_t c);

// For tests: load this library file instead of the bare name "vekapi32.dll"
// (nullptr or "" goes back to the bare name). Takes effect at the next load.
void SetLibraryFileForTesting(const char* path);

// For tests: load, resolve and release through this loader instead of the
// system's (nullptr goes back to the system's). Change it only while no
// library is loaded.
void SetLoaderForTesting(LibraryLoader* loader);

}  // namespace posapi
