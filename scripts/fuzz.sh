#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, under the address and
# undefined-behaviour sanitizers, into build-fuzz/ and runs each for a while:
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS (default 30) is the time per target; without TARGETs every target
# runs. A target that finds a crash, a sanitizer report or a hang stops, and
# the script fails; the input that did it is kept in build-fuzz/findings/ and
# can be replayed with "build-fuzz/fuzz/TARGET FILE". Each target's corpus
# grows in build-fuzz/corpus/TARGET/ from one run to the next. Without clang
# the script says so and succeeds.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TARNVELOCK_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-30}"
[ $# -gt 0 ] && shift
wanted=("$@")

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is not installed; the fuzz targets are skipped."
  exit 0
fi

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNVELOCK_TESTS=OFF -DTARNVELOCK_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize=fuzzer-no-link" \
  "${launcher[@]}" >/dev/null

failed=()
# run_target TARGET SEED_DIR...: builds TARGET and fuzzes it, starting from the
# files of the seed directories.
run_target() {
  local target="$1"
  shift
  if ((${#wanted[@]})) && [[ ! " ${wanted[*]} " == *" $target "* ]]; then return 0; fi
  cmake --build "$build" --target "$target" >/dev/null
  local corpus="$build/corpus/$target" findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  echo "fuzz: $target for ${seconds}s"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=0 -artifact_prefix="$findings/" "$corpus" "$@" \
    >"$build/$target.log" 2>&1; then
    echo "fuzz: $target FAILED; see $build/$target.log and $findings/"
    failed+=("$target")
  fi
}

# --- The debugger's own inputs: batch text, settings files, exchange files
# and the CLI's command lines.
seeds="$build/seeds"
mkdir -p "$seeds/ini" "$seeds/exchange" "$seeds/cli"
printf '[Main]\r\nProzent0=1\r\n[Run]\r\nStartUp=@set x=1\r\nIgnore=1 3 \r\n[BreakPoint2]\r\nBreakCount=3\r\nBreakCond=%%n%%==1\r\n' \
  >"$seeds/ini/job.bat.ini"
printf '0\r\nECHO is off.\r\n0\r\n0\r\n0\r\n1\r\n' >"$seeds/exchange/sema.txt"
printf '\xEF\xBB\xBF12\r\n' >"$seeds/exchange/line.txt"
printf 'ka=hello\r\ngA=%%A\r\n' >"$seeds/exchange/locals.txt"
printf 'break 3 2 if "%%x%%"=="a b"\n' >"$seeds/cli/break.txt"
printf 'goto 7\n' >"$seeds/cli/goto.txt"
printf -- '--json\0--poll-ms\0%s\0job.bat' 10 >"$seeds/cli/args.txt"
run_target fuzz_batch_text "$root/examples" "$root/tests/e2e/batches" "$root/tests/e2e/corpus"
run_target fuzz_ini "$seeds/ini"
run_target fuzz_exchange_files "$seeds/exchange"
run_target fuzz_cli_commands "$seeds/cli"

if ((${#failed[@]})); then
  echo "fuzz: failed: ${failed[*]}"
  exit 1
fi
echo "fuzz: all targets ran clean"
