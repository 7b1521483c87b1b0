# Cross build of the Linux edition for 64-bit ARM (Raspberry Pi OS 64-bit is Debian for
# arm64) with Debian's multiarch packages:
#   cmake -S . -B build-arm64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake
# The compiler is g++-aarch64-linux-gnu; Qt 6 and GoogleTest are the arm64 packages
# (qt6-base-dev:arm64, libgtest-dev:arm64) installed beside the host's under
# /usr/lib/aarch64-linux-gnu. moc and the other Qt tools run on the host: they are the
# host's own (qt6-base-dev). Tests and build steps that run a built program run it under
# qemu-user-static.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(tallyo_triple aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${tallyo_triple}-gcc)
set(CMAKE_CXX_COMPILER ${tallyo_triple}-g++)
# The target's packages and libraries are those of the multiarch folders
# (/usr/lib/aarch64-linux-gnu and its cmake/, /usr/include/aarch64-linux-gnu), which CMake
# searches by this library architecture in place of the host's x86_64-linux-gnu.
set(CMAKE_LIBRARY_ARCHITECTURE ${tallyo_triple})

# Qt's packages for the target find their tool packages (Qt6CoreTools: moc) under the
# host's Qt.
set(QT_HOST_PATH /usr CACHE PATH "The host's Qt (its tools run during the build)")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH
  "The host's Qt package files")

# Built programs run under qemu with the target's own loader and libraries, those of the
# multiarch packages (libc6:arm64, which Qt for arm64 brings), as on an arm64 system. Not
# with `-L /usr/aarch64-linux-gnu`: that loader is the cross compiler's copy of the C
# library, a different build from libc6:arm64, and a program that mixes the two hangs in
# its first new thread.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)
