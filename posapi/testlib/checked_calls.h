// What the binding's 32-bit tests pass to the checking library
// (checking_library.cpp), which compares every argument it receives with
// these and answers with them.
#pragma once

#include <cstdint>

namespace checked {

inline constexpr char kApplication[] = "CHECKED APP";
inline constexpr char kResourceFile[] = "lane.txt";
inline constexpr char kQueueHandleName[] = "queueHandle";
inline constexpr std::uint32_t kQueueHandle = 0x10046;
inline constexpr char kDeviceName[] = "SCANNER1";
inline constexpr char kDeviceClass[] = "PosScanner";
inline constexpr std::int32_t kOpenCount = 0;
inline constexpr std::int32_t kHandle = 7;  // DLL_PosOpen's answer
inline constexpr std::int32_t kRequest = 302;
inline constexpr std::int32_t kIoctlOut = 0x5EED;
inline constexpr std::int32_t kReadSize = 48;
inline constexpr std::int32_t kReadBytes = 13;
inline constexpr char kReadData[] = "4006381333931";
inline constexpr char kWriteData[] = "HELLO\r\n";
inline constexpr std::int32_t kWriteLength = 7;
inline constexpr std::int32_t kVersion[3] = {1, -2, 0x7FFFFFFF};

// A wrong argument: this plus its 1-based place in the entry's arguments.
inline constexpr std::int32_t kWrongArgument = 9000;

// DLL_PosIOCtl keeps the bytes of the pairs it receives (at most this many),
// and puts the address of kLibraryText into the value of a pair named
// kLibraryTextName.
inline constexpr int kPairBytesKept = 256;
inline constexpr char kLibraryTextName[] = "libraryText";
inline constexpr char kLibraryText[] = "TEXT OF THE LIBRARY";

}  // namespace checked
