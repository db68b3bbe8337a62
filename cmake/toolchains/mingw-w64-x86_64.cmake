# 64-bit Windows with mingw-w64: the posix threading model (std::thread,
# std::mutex) and a static runtime, so nothing but system DLLs is needed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(RIDOZOD_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
