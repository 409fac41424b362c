#!/usr/bin/env bash
# Sets up, builds and starts the debugger on BATCH (default: a bundled example).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh" >&2
batch="${1:-$root/examples/build_release.bat}"
exec "${TARNVELOCK_BUILD_DIR:-$root/build}/cli/tarnvelock-cli" --analyse "$batch"
