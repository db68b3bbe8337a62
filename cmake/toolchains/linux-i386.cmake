# 32-bit x86 Linux with the host's g++ -m32 (g++-multilib), for running the
# 32-bit code on a 64-bit machine: the tests run under qemu-i386 user-mode
# emulation, which finds the 32-bit loader and libraries below /.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_ASM_FLAGS_INIT -m32)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_LIBRARY_PATH /usr/lib32 /usr/lib/i386-linux-gnu)

# The 32-bit curses of lib32ncurses-dev (the headers are the host's).
set(CURSES_LIBRARY /usr/lib32/libncursesw.so CACHE FILEPATH "")
set(CURSES_NCURSES_LIBRARY /usr/lib32/libncursesw.so CACHE FILEPATH "")

find_program(RIDOZOD_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${RIDOZOD_QEMU_I386} -L /)
