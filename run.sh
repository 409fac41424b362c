#!/usr/bin/env bash
# Sets up, builds and starts the debugger on BATCH (default: a bundled example).
#   ./run.sh [BATCH]             the desktop debugger when a display exists
#                                (DISPLAY or WAYLAND_DISPLAY), else the terminal one
#   ./run.sh --cli [BATCH]       always the terminal debugger (type "help")
#   ./run.sh --analyse [BATCH]   only show what the debugger sees in BATCH
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh" >&2
build="${TARNVELOCK_BUILD_DIR:-$root/build}"
cli="$build/cli/tarnvelock-cli"
gui="$build/app/tarnvelock"
example="$root/examples/build_release.bat"
case "${1:-}" in
  --analyse) exec "$cli" --analyse "${2:-$example}" ;;
  --cli) exec "$cli" "${2:-$example}" ;;
esac
if { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; } && [ -x "$gui" ]; then
  exec "$gui" "${1:-$example}"
fi
exec "$cli" "${1:-$example}"
