# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the -posix
# compilers, whose C++ library has std::thread). Programs link statically so
# that they run under Wine or on Windows without the MinGW runtime DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARNVELOCK_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARNVELOCK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNVELOCK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TARNVELOCK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TARNVELOCK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
