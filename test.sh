#!/usr/bin/env bash
# Sets up, builds and runs every test. The exit status is ctest's.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh"
cd "${TARNVELOCK_BUILD_DIR:-$root/build}"
ctest --output-on-failure --timeout 300 -j "$(nproc)"
