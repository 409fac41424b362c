#!/usr/bin/env bash
# Cross-builds everything but the GUI for 64-bit Windows with MinGW-w64 into
# build-windows/ (installs the compiler when it is missing). GoogleTest is
# built from Debian's sources into the build tree, once.
# Set TARNVELOCK_WINDOWS_BUILD_DIR to build elsewhere.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${TARNVELOCK_WINDOWS_BUILD_DIR:-$root/build-windows}"

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest nlohmann-json3-dev)
source "$root/scripts/install-missing.sh"
install_missing "${packages[@]}"

# The JSON library is headers only; it is staged apart from the host's other
# headers so that the cross-compiler sees nothing else of /usr/include.
staged="$build_dir/staged"
mkdir -p "$staged/include" "$staged/share/cmake"
cp -r /usr/include/nlohmann "$staged/include/"
cp -r /usr/share/cmake/nlohmann_json "$staged/share/cmake/"

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DTARNVELOCK_GTEST_SOURCE=/usr/src/googletest -DTARNVELOCK_WERROR=ON \
  -Dnlohmann_json_DIR="$staged/share/cmake/nlohmann_json" \
  "${launcher[@]}" >/dev/null
cmake --build "$build_dir" -- -j"$(nproc)"
