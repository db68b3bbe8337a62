// Reading what a caller's pair points at. A pair's value may hold any
// number, so the text at it is read without trusting the address: the read
// never faults and goes no further than a bound. The copy of one page is the
// host's (caller_memory_posix.cpp, caller_memory_win32.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace posim {

// Copies size bytes at address, which lie within one page, into out; false
// when they cannot be read.
bool CopyCallerPage(std::uintptr_t address, char* out, std::size_t size);

// The zero-terminated text at address, cut to max_length characters;
// nullopt when the memory up to its terminator (or to the cut) cannot be read.
std::optional<std::string> ReadCallerText(std::uintptr_t address, std::size_t max_length);

}  // namespace posim
