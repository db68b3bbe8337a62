# What both mingw-w64 toolchains share. The -posix compilers: the default
# (-win32) ones lack std::mutex, std::condition_variable and std::thread.
set(CMAKE_C_COMPILER ${RIDOZOD_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RIDOZOD_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${RIDOZOD_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${RIDOZOD_MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${RIDOZOD_MINGW_TRIPLE}-ranlib CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${RIDOZOD_MINGW_TRIPLE}-objdump CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${RIDOZOD_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The program and the DLL carry the C and C++ runtimes and winpthreads inside:
# they import only system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
