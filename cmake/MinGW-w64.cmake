# Cross build of the Windows edition with Debian's MinGW-w64 (x86_64, POSIX threads):
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64.cmake
# Programs are linked statically, so each .exe needs no DLL of the compiler beside it.
# Tests and build steps that run a built program run it through Wine, in a Wine prefix
# inside the build folder (scripts/wine.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(tallyo_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${tallyo_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${tallyo_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${tallyo_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${tallyo_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR
  ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine.sh run ${CMAKE_BINARY_DIR}/wine-prefix)
