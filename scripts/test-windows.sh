#!/usr/bin/env bash
# Builds the Windows programs (scripts/build-windows.sh) and tests them under
# Wine in a private WINEPREFIX: every unit and golden test program, then the
# whole debug runs of tests/windows/debug_runs.sh under xvfb-run, so that the
# batch's console window exists. Installs wine and xvfb when they are missing.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${TARNVELOCK_WINDOWS_BUILD_DIR:-$root/build-windows}"

"$root/scripts/build-windows.sh"

packages=(wine wine64 xvfb xauth)
source "$root/scripts/install-missing.sh"
install_missing "${packages[@]}"

prefix_parent="$(mktemp -d)"
export WINEPREFIX="$prefix_parent/wine"
export WINEDEBUG=-all
# No Mono or Gecko installer prompts while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefix_parent"
}
trap cleanup EXIT

echo "Making the Wine prefix"
wineboot --init >/dev/null 2>&1 || true
wineserver -w || true

echo "Unit and golden tests under Wine"
# The single-instance guard's hidden window needs a display under Wine.
xvfb-run -a ctest --test-dir "$build_dir" --output-on-failure --timeout 300 -j "$(nproc)"

echo "Debug runs under Wine"
xvfb-run -a "$root/tests/windows/debug_runs.sh" "$build_dir"
