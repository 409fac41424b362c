#!/usr/bin/env bash
# Installs what the build needs (only what is missing, on Debian-like systems),
# then configures and builds into ./build. Sourced by run.sh and test.sh.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${TARNVELOCK_BUILD_DIR:-$root/build}"

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev nlohmann-json3-dev
  # the desktop debugger: Qt 6 Widgets, its SVG pictures, the console's terminal
  pkg-config qt6-base-dev libqt6svg6 qt6-svg-dev libvterm-dev fonts-dejavu-core)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if ((${#missing[@]})); then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
fi

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARNVELOCK_WERROR="$werror" >/dev/null
cmake --build "$build_dir"
