// Reading what the POS library leaves in the caller's pairs: a name or a text
// it points at may be any address. These reads never fault: an address that
// cannot be read is reported as such, and a text is read no further than a
// bound. The copy itself is the platform's (library_memory_posix.cpp,
// library_memory_win32.cpp).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace posapi {

// Copies up to size bytes from address to out without faulting; the count
// copied, short (or 0) where readable memory ends.
std::size_t CopyReadableBytes(const void* address, void* out, std::size_t size);

// The zero-terminated text at address, at most max_length characters of it
// (also where readable memory ends before its terminator); nullopt when not
// even its first byte can be read.
std::optional<std::string> ReadLibraryText(const void* address, std::size_t max_length);

}  // namespace posapi
