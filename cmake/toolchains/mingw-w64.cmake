# Cross build for 64-bit Windows with Debian's mingw-w64 (the POSIX-threads variant of GCC, whose libstdc++ has
# std::thread and std::mutex). Every program is linked statically, so that an .exe is one file that runs
# without DLLs beside it; tests run under wine64 through CMake's emulator setting.
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TESSAROVEN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TESSAROVEN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSAROVEN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSAROVEN_MINGW_PREFIX}-windres)

# Only the cross compiler's own folders are searched for libraries and headers: nothing from the build
# machine's /usr may reach the program.
set(CMAKE_FIND_ROOT_PATH /usr/${TESSAROVEN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config would otherwise answer with the build machine's packages.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${TESSAROVEN_MINGW_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian puts wine64 outside PATH.
find_program(TESSAROVEN_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(TESSAROVEN_WINE64 NAMES wine64 wine)
if(TESSAROVEN_WINE64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TESSAROVEN_WINE64})
endif()
