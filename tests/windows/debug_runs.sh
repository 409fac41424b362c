#!/usr/bin/env bash
# Whole debug runs of the Windows build under Wine: tarnvelock-cli.exe drives
# tarnvelock-cmd.exe through the Win32 launcher (a console window of its own,
# woken by posted space keys), and each run must stop exactly where the same
# run stops on Linux. Needs a display (run it under xvfb-run) and WINEPREFIX.
#   debug_runs.sh BUILD_DIR
set -uo pipefail

build="$(cd "$1" && pwd)"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cli="$build/cli/tarnvelock-cli.exe"
cmd="$build/shell/tarnvelock-cmd.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# The stops of a JSON event stream as "line:reason" words.
stops_of() {
  grep -o '"event":"stop","line":[-0-9]*,"reason":[0-9]*' |
    sed 's/.*"line":\([-0-9]*\),"reason":\([0-9]*\)/\1:\2/' | tr '\n' ' ' | sed 's/ $//'
}

# run_case NAME BATCH SCRIPT EXPECTED_STOPS [TEXT_THAT_MUST_APPEAR]
# EXPECTED_STOPS is a pattern: "*" stands for a line that depends on timing.
run_case() {
  local name="$1" batch="$2" script="$3" expected="$4" must="${5:-}"
  local dir="$work/$name"
  mkdir -p "$dir"
  sed 's/\r*$/\r/' "$root/tests/e2e/batches/$batch" >"$dir/$batch"
  printf '%b' "$script" >"$dir/commands.txt"
  local output
  output="$(cd "$dir" && TMP="$(winepath -w "$dir")" TEMP="$(winepath -w "$dir")" \
    timeout 120 wine "$cli" --json --poll-ms 50 --timeout 60 --script commands.txt \
    --comspec "$(winepath -w "$cmd")" "$batch" </dev/null 2>&1 | tr -d '\r')"
  local got
  got="$(stops_of <<<"$output")"
  # shellcheck disable=SC2053  # the expectation may hold a pattern
  if [[ "$got" != $expected ]]; then
    echo "FAIL $name: stops [$got], expected [$expected]"
    echo "$output" | head -40
    failures=$((failures + 1))
  elif [ -n "$must" ] && ! grep -qF -- "$must" <<<"$output"; then
    echo "FAIL $name: no \"$must\" in the output"
    echo "$output" | head -40
    failures=$((failures + 1))
  else
    echo "ok   $name: $got"
  fi
}

run_case single_step calls.bat 'step\nstep\nstep\nstep\nstep\nstep\n' '0:1 1:1 6:1 7:1 2:1 6:1'
run_case counted_breakpoint loop_count.bat 'break 3 3\nrun\nrun\nrun\n' '3:3 3:3 6:12'
run_case conditional_breakpoint loop_count.bat 'break 3 if %n%==4\nrun\nrun\n' '3:3 6:12' '"n=4"'
run_case goto_line loop_count.bat 'break 3 3\ngoto 3\nrun\n' '3:3 3:3'
run_case added_command loop_count.bat 'break 4\nrun\nadd set n=6\nrun\nrun\n' \
  '4:3 4:6 4:3 6:12' '"n=6"'
run_case error_stop errorlevel.bat 'run\nrun\n' '2:9 3:12'
run_case terminate endless.bat 'nowait run\nsleep 1000\nterminate\n' '*:17' \
  'Terminated by User  -  Press F2 for Reset.'

# No interpreter may outlive its session.
sleep 1
if pgrep -f 'tarnvelock-cmd\.exe' >/dev/null; then
  echo "FAIL an interpreter is still running after the sessions:"
  pgrep -af 'tarnvelock-cmd\.exe'
  failures=$((failures + 1))
else
  echo "ok   no interpreter left"
fi

if ((failures)); then
  echo "$failures debug run(s) failed"
  exit 1
fi
echo "all debug runs passed"
