#!/usr/bin/env bash
# Sets up, builds and starts the debugger on BATCH (default: a bundled example).
#   ./run.sh [BATCH]             debug BATCH in this terminal (type "help")
#   ./run.sh --analyse [BATCH]   only show what the debugger sees in BATCH
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh" >&2
cli="${TARNVELOCK_BUILD_DIR:-$root/build}/cli/tarnvelock-cli"
if [ "${1:-}" = "--analyse" ]; then
  exec "$cli" --analyse "${2:-$root/examples/build_release.bat}"
fi
exec "$cli" "${1:-$root/examples/build_release.bat}"
