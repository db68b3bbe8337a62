// The binding on 32-bit x86 with the system's loader: the checking library of
// testlib/, built with the C convention and with stdcall entries, is called
// by the same code, every argument checked on the library's side and the
// caller's stack pointer after each call; and the resource pairs as the
// library sees them in memory.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "dialogs/resource_args.h"
#include "posapi/binding.h"
#include "posapi/entry_call.h"
#include "posapi/testlib/checked_calls.h"

namespace posapi {
namespace {

using namespace checked;

ResourcePair queue_pair = {kQueueHandleName, kQueueHandle};
ResourcePair open_pairs[1] = {};
char read_buffer[kReadSize];

using Operation = std::int32_t (*)();

// Runs the operation and says whether the stack pointer is the same after
// the call as before it. The operation takes no arguments, so that the
// compiler has nothing to push or pop around the call itself.
__attribute__((noinline)) bool StackKept(Operation operation, std::int32_t* result) {
  std::uintptr_t before = 0;
  std::uintptr_t after = 0;
  asm volatile("movl %%esp, %0" : "=r"(before));
  *result = operation();
  asm volatile("movl %%esp, %0" : "=r"(after));
  return before == after;
}

class BindingX86Test : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { SetLibraryFileForTesting(GetParam()); }
  void TearDown() override {
    PosTerm();
    SetLibraryFileForTesting(nullptr);
  }
};

TEST_P(BindingX86Test, EveryEntryGetsItsArgumentsAndTheStackStays) {
  const struct {
    const char* call;
    Operation run;
    std::int32_t result;
  } cases[] = {
      {"PosInitialize",
       [] { return PosInitialize(kApplication, kResourceFile, 3, 4, &queue_pair, 1); }, 0},
      {"PosOpen", [] { return PosOpen(kDeviceName, kDeviceClass, open_pairs, kOpenCount); },
       kHandle},
      {"PosIoctl", [] { return PosIoctl(kHandle, kRequest, &queue_pair, 1); }, kIoctlOut},
      {"PosRead", [] { return PosRead(kHandle, read_buffer, kReadSize); }, kReadBytes},
      {"PosWrite", [] { return PosWrite(kHandle, kWriteData, kWriteLength); }, kWriteLength},
      {"PosVersion", [] { return PosVersion(kVersion[0], kVersion[1], kVersion[2]); }, 0},
      {"PosClose", [] { return PosClose(kHandle); }, 0},
      {"PosTerm", [] { return PosTerm(); }, 0},
  };
  for (const auto& c : cases) {
    errno = 0;
    std::int32_t result = -99;
    EXPECT_TRUE(StackKept(c.run, &result)) << c.call;
    // A wrong argument comes back as -1 with 9000 + its place in errno.
    EXPECT_EQ(result, c.result) << c.call << ", errno " << errno;
  }
  EXPECT_EQ(std::string(read_buffer, kReadBytes), kReadData);
}

TEST_P(BindingX86Test, PairsAreEightBytesWithTheValueAtOffsetFour) {
  // The rows as the Ioctl dialog makes them (the names' four-character prefix
  // is not passed); a String row's value is the address of the row's copy of
  // its text.
  static dialogs::ResourceArgList list;
  list.Reset();
  const struct {
    char type;
    const char* row_name;
    const char* name;  // as the library gets it
    std::uint32_t value;
    const char* text;
  } rows[] = {
      {dialogs::kTagHex, "PosNbeepVolume", "beepVolume", 0x89ABCDEF, ""},
      {dialogs::kTagString, "PosNname", "name", 0, "DISPLAY1"},
      {dialogs::kTagDec, "PosNrows", "rows", 4, ""},
      {dialogs::kTagString, "PosNlibraryText", kLibraryTextName, 0, "mine"},
  };
  for (const auto& row : rows) {
    ASSERT_TRUE(list.AddRow(row.type, row.row_name, row.value, row.text));
  }
  dialogs::BuildResourcePairs(list, std::size(rows));
  ASSERT_EQ(PosInitialize(kApplication, kResourceFile, 0, 0, &queue_pair, 1), 0);
  ASSERT_EQ(PosIoctl(kHandle, kRequest, list.pairs(), std::size(rows)), kIoctlOut);

  LibraryHandle library = dlopen(GetParam(), RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(library, nullptr);
  const LibraryEntry pair_bytes = FindLibraryEntry(library, "CheckingLibrary_PairBytes");
  dlclose(library);
  ASSERT_NE(pair_bytes, nullptr);
  unsigned char bytes[kPairBytesKept] = {};
  using PairBytesFn = std::int32_t (*)(unsigned char*, std::int32_t);
  ASSERT_EQ(CallLibraryEntry<PairBytesFn>(pair_bytes, bytes, std::int32_t{sizeof bytes}),
            8 * static_cast<std::int32_t>(std::size(rows)));

  auto word = [&](std::size_t offset) {
    return std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
           std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].name);
    const char* name = reinterpret_cast<const char*>(std::uintptr_t{word(8 * i)});
    EXPECT_STREQ(name, rows[i].name);
    const std::uint32_t value = word(8 * i + 4);
    if (rows[i].type == dialogs::kTagString) {
      EXPECT_EQ(value, std::uint32_t(reinterpret_cast<std::uintptr_t>(list.row(i).text.data())));
      EXPECT_STREQ(reinterpret_cast<const char*>(std::uintptr_t{value}), rows[i].text);
    } else {
      EXPECT_EQ(value, rows[i].value);
    }
  }
  // What the library put back: the 32-bit address of a text of its own.
  EXPECT_STREQ(reinterpret_cast<const char*>(list.pair(3).value), kLibraryText);
}

INSTANTIATE_TEST_SUITE_P(Conventions, BindingX86Test,
                         ::testing::Values(CDECL_LIBRARY_PATH, STDCALL_LIBRARY_PATH),
                         [](const auto& info) { return info.index == 0 ? "cdecl" : "stdcall"; });

}  // namespace
}  // namespace posapi
