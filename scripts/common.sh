# Shared by ./run, ./test and ./bench: install what is missing, configure and build.
# Sourced, not run.

# The Debian 12 packages the project needs. The Linux edition's archive brings faces of
# fonts-liberation2 and fonts-urw-base35, taken from them at build time (packaging/Fonts.cmake).
TALLYO_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev
  fonts-liberation2 fonts-urw-base35 fonts-dejavu-core)

# What ./run needs on a machine without a display: a virtual one to start the viewer on.
TALLYO_DISPLAY_PACKAGES=(xvfb xauth)

# What ./test needs on top: clang for the sanitizer and fuzz builds (the runtimes of ASan,
# UBSan and libFuzzer come with libclang-rt-14-dev, llvm-symbolizer with llvm-14), the format
# and lint checks, and for the check of the release archives a virtual display, a pointer to
# click with and the menu entry's validator.
TALLYO_TEST_PACKAGES=(clang clang-14 libclang-rt-14-dev llvm-14 clang-format clang-tidy
  "${TALLYO_DISPLAY_PACKAGES[@]}" xdotool desktop-file-utils)

# What ./test's windows stage needs: the MinGW-w64 cross compiler, GoogleTest's sources to
# build for that target, Wine to run the tests, a virtual display for Wine's windows, and
# the glibc locales through which Wine takes a German or French user locale.
TALLYO_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 wine
  googletest xvfb xauth locales)

# What ./test's arm64 stage needs: the cross compiler, Qt 6 and GoogleTest built for arm64
# (Debian's multiarch packages, installed beside the host's once tallyo_add_arm64 has added
# the architecture) and qemu to run the programs. moc is the host's, from qt6-base-dev.
TALLYO_ARM64_PACKAGES=(g++-aarch64-linux-gnu qt6-base-dev:arm64 libgl-dev:arm64
  libgtest-dev:arm64 qemu-user-static)

# tallyo_root DOING [COMMAND...]: how this script runs a command as root, in the array
# TALLYO_AS_ROOT: empty when it runs as root, sudo otherwise ("${TALLYO_AS_ROOT[@]}" CMD).
# With neither it says that it cannot do DOING, prints the COMMAND lines for the user to run
# as root, and fails.
tallyo_root() {
  local doing=$1
  shift
  if [ "$(id -u)" = 0 ]; then
    TALLYO_AS_ROOT=()
  elif command -v sudo >/dev/null 2>&1; then
    TALLYO_AS_ROOT=(sudo)
  else
    echo "Cannot $doing (not root, no sudo). Run as root:" >&2
    printf '  %s\n' "$@" >&2
    return 1
  fi
}

tallyo_missing_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  echo "${missing[@]:-}"
}

# Installs the packages given (default: the project's list) that are not installed yet.
tallyo_install() {
  local pkgs=("$@")
  [ ${#pkgs[@]} -gt 0 ] || pkgs=("${TALLYO_PACKAGES[@]}")
  local missing
  missing=$(tallyo_missing_packages "${pkgs[@]}")
  [ -n "$missing" ] || return 0
  tallyo_root "install packages" "apt-get install -y --no-install-recommends $missing" || return 1
  echo "Installing missing packages: $missing"
  "${TALLYO_AS_ROOT[@]}" apt-get update -qq &&
    "${TALLYO_AS_ROOT[@]}" env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y -qq --no-install-recommends $missing
}

# tallyo_build DIR [cmake options...]: configure (once) and build into DIR.
tallyo_build() {
  local dir=$1
  shift
  cmake -S "$TALLYO_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}

# Lets dpkg install packages built for arm64 beside the host's. Only once: tallyo_install
# fetches the package lists again when it installs what is missing.
tallyo_add_arm64() {
  dpkg --print-foreign-architectures | grep -qx arm64 && return 0
  tallyo_root "add the architecture arm64" "dpkg --add-architecture arm64" || return 1
  echo "Adding the architecture arm64"
  "${TALLYO_AS_ROOT[@]}" dpkg --add-architecture arm64
}
