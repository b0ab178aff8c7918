# Cross-compiles for 64-bit Windows with Debian's g++-mingw-w64-x86-64. The
# program is linked against the system's own opengl32, glu32, gdi32 and user32
# only, with the C and C++ runtimes linked in statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUELLOR_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUELLOR_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${QUELLOR_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${QUELLOR_MINGW_PREFIX}-windres)

# Headers and libraries come from the cross toolchain alone; programs (the
# host compiler for build-time tools among them) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${QUELLOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
