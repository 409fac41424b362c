#!/usr/bin/env bash
# Fuzzing: builds the libFuzzer targets with clang into ./build-fuzz and runs
# them. Usage: scripts/fuzz.sh [seconds per target, default 60]
# Crashes are written to build-fuzz/<target>-crashes/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${TARNVELOCK_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-60}"

# libFuzzer comes with clang's runtime libraries; installed only when missing.
install_clang() {
  local missing=()
  for package in cmake ninja-build clang libclang-rt-dev; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
  done
  ((${#missing[@]})) || return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
}

configure() {
  cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTARNVELOCK_TESTS=OFF >/dev/null
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

install_clang
configure
fuzz_shell_parser
