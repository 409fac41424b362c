#!/usr/bin/env bash
# Fuzzing: builds the libFuzzer targets with clang into ./build-fuzz and runs
# them. Usage: scripts/fuzz.sh [seconds per target, default 60]
# Crashes are written to build-fuzz/<target>-crashes/; a crash, a sanitizer
# report or a hang fails the script, and "build-fuzz/.../<target> FILE"
# replays the input. Each target's corpus grows in build-fuzz/<target>-corpus/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${TARNVELOCK_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-60}"

# libFuzzer comes with clang's runtime libraries; installed only when missing.
source "$root/scripts/install-missing.sh"
install_clang() {
  install_missing cmake ninja-build clang libclang-rt-dev
}

configure() {
  local launcher=()
  command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTARNVELOCK_TESTS=OFF -DTARNVELOCK_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize=fuzzer-no-link" \
    "${launcher[@]}" >/dev/null
}

# run_target <target> <seed directory>: builds the target and fuzzes it for
# $seconds, starting from the seed files.
run_target() {
  local target="$1" seeds="$2"
  cmake --build "$build_dir" --target "$target"
  local corpus="$build_dir/$target-corpus" crashes="$build_dir/$target-crashes"
  mkdir -p "$corpus" "$crashes"
  "$build_dir/$(cd "$build_dir" && find . -name "$target" -type f -perm -u+x | head -n1)" \
    -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -artifact_prefix="$crashes/" "$corpus" "$seeds"
}

# --- tarnvelock-cmd: the reader and parser (percent expansion, parsing,
# echo form, FOR and delayed expansion, SET /A, FOR /F options). The batch
# files of the behaviour suite's cases and the examples are its seeds.
fuzz_shell_parser() {
  local seeds="$build_dir/shell_parser_fuzz-seeds"
  mkdir -p "$seeds"
  cp "$root"/tests/shell/cases/*.txt "$root"/bench/*.bat "$seeds"/ 2>/dev/null || true
  run_target shell_parser_fuzz "$seeds"
}

# --- The debugger's own inputs (fuzz/): batch text loaded, scanned and
# instrumented; the per-batch and application settings files; the state
# files the batch leaves at a stop; tarnvelock-cli's command lines.
fuzz_debugger_inputs() {
  local seeds="$build_dir/debugger-seeds"
  mkdir -p "$seeds/batch" "$seeds/ini" "$seeds/exchange" "$seeds/cli"
  cp "$root"/examples/*.bat "$root"/examples/*.cmd "$root"/tests/e2e/batches/*.bat \
    "$root"/tests/e2e/corpus/*.bat "$seeds/batch"/ 2>/dev/null || true
  printf '[Main]\r\nProzent0=1\r\n[Run]\r\nStartUp=@set x=1\r\nIgnore=1 3 \r\n[BreakPoint2]\r\nBreakCount=3\r\nBreakCond=%%n%%==1\r\n' \
    >"$seeds/ini/job.bat.ini"
  printf '0\r\nECHO is off.\r\n0\r\n0\r\n0\r\n1\r\n' >"$seeds/exchange/sema.txt"
  printf '\xEF\xBB\xBF12\r\n' >"$seeds/exchange/line.txt"
  printf 'ka=hello\r\ngA=%%A\r\n' >"$seeds/exchange/locals.txt"
  printf 'break 3 2 if "%%x%%"=="a b"\n' >"$seeds/cli/break.txt"
  printf 'goto 7\n' >"$seeds/cli/goto.txt"
  printf -- '--json\0--poll-ms\0%s\0job.bat' 10 >"$seeds/cli/args.txt"
  run_target fuzz_batch_text "$seeds/batch"
  run_target fuzz_ini "$seeds/ini"
  run_target fuzz_exchange_files "$seeds/exchange"
  run_target fuzz_cli_commands "$seeds/cli"
}

install_clang
configure
fuzz_shell_parser
fuzz_debugger_inputs
