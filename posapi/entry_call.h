// Calls into the POS library's entries. On 32-bit x86 an entry may use the C
// convention (the caller removes the arguments) or stdcall (the entry does),
// and nothing in the library says which: every call goes through a thunk
// (entry_call_x86.S) that puts the stack pointer back after the call, so one
// program works with both. Elsewhere there is one convention and the call is
// an ordinary one through the entry's type.
#pragma once

#include <cstdint>
#include <type_traits>

#include "posapi/library_loader.h"

#if defined(__i386__)
extern "C" std::int32_t PosapiCallKeepingStack(posapi::LibraryEntry entry,
                                               const std::uint32_t* words, std::int32_t count);
#endif

namespace posapi {

// entry(args...) as an entry of type Fn.
template <typename Fn, typename... Args>
std::int32_t CallLibraryEntry(LibraryEntry entry, Args... args) {
  static_assert(std::is_invocable_r_v<std::int32_t, Fn, Args...>, "arguments of the entry's type");
#if defined(__i386__)
  static_assert(((sizeof(Args) == 4) && ...), "every argument is one 32-bit word");
  const std::uint32_t words[] = {std::uint32_t(std::uintptr_t(args))...};
  return PosapiCallKeepingStack(entry, words, sizeof...(Args));
#else
  return reinterpret_cast<Fn>(entry)(args...);
#endif
}

}  // namespace posapi
