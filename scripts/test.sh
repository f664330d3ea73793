#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then the engine and tool tests
# again under the address and undefined-behaviour sanitizers, and each fuzz target for a short run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The ci preset: a Release build in which every warning is an error.
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci

# The first report of either sanitizer fails the run.
export ASAN_OPTIONS=halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cmake --preset asan -DKALVON_GUI=OFF >/dev/null
cmake --build --preset asan
ctest --preset asan

for target in base_line round_trip settings notification; do
  log="build-fuzz/$target.log"
  mkdir -p build-fuzz
  if ! scripts/fuzz.sh "$target" 20000 >"$log" 2>&1; then
    cat "$log"
    exit 1
  fi
  echo "fuzz_$target: $(grep -m1 '^Done' "$log")"
done
