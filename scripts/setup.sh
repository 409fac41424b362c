#!/usr/bin/env bash
# Installs what the build needs (only what is missing, on Debian-like systems),
# then configures and builds into ./build. Sourced by run.sh and test.sh.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${TARNVELOCK_BUILD_DIR:-$root/build}"

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev nlohmann-json3-dev
  # the desktop debugger: Qt 6 Widgets, its SVG pictures, the console's terminal
  pkg-config qt6-base-dev libqt6svg6 qt6-svg-dev libvterm-dev fonts-dejavu-core)
source "$root/scripts/install-missing.sh"
install_missing "${packages[@]}"

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARNVELOCK_WERROR="$werror" >/dev/null
cmake --build "$build_dir"
