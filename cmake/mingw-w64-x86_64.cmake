# Cross-compiles the native Windows program (64-bit) on Linux with mingw-w64, fully static.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GLIMORA_MINGW_PREFIX x86_64-w64-mingw32)
# The posix threads variant of the compilers: its runtime carries std::thread and friends.
set(CMAKE_C_COMPILER ${GLIMORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GLIMORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_ASM_COMPILER ${GLIMORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_RC_COMPILER ${GLIMORA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GLIMORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable: no libgcc, libstdc++ or winpthread DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The native backend; the tests and benchmarks are built natively, not here.
set(GLIMORA_BACKEND win32 CACHE STRING "Platform backend of the program" FORCE)
set(BUILD_TESTING OFF CACHE BOOL "Build the tests" FORCE)
set(GLIMORA_BENCHMARKS OFF CACHE BOOL "Build the benchmarks" FORCE)
