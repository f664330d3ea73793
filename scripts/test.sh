#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then the engine and tool tests
# again under the address and undefined-behaviour sanitizers, and each fuzz target for a short run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# The house style: every tracked C++ file as the project's .clang-format writes it.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

# The ci preset: a Release build in which every warning is an error.
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci

# The Debian package of that build: its files, its dependencies, the unpacked tool on a generated
# base, and the desktop entry, description and manual pages through their validators.
scripts/check-package.sh build-ci

# Static analysis of the program's folders with the checks of .clang-tidy (ui/.clang-tidy adds the windows'
# exceptions); a finding fails. It reads the compile commands (and Qt's generated headers) of the
# build above, less the precompiled header of the windows, which is gcc's and which clang cannot read.
tidy_dir=build-ci/tidy
mkdir -p "$tidy_dir"
sed -e 's| -include [^ ]*cmake_pch\.hxx||g' -e 's| -Winvalid-pch||g' build-ci/compile_commands.json \
  >"$tidy_dir/compile_commands.json"
tidy_log="$tidy_dir/clang-tidy.log"
if ! run-clang-tidy-14 -p "$tidy_dir" -j "$(nproc)" -quiet -extra-arg=-Wno-unknown-warning-option \
       "^$PWD/(base|search|exchange|rules|diagram|ui|app)/" >"$tidy_log" 2>&1 ||
   grep -qE '(warning|error):' "$tidy_log"; then
  grep -E -A3 '(warning|error):' "$tidy_log" || tail -n 40 "$tidy_log"
  exit 1
fi
echo "clang-tidy: no findings in base/, search/, exchange/, rules/, diagram/, ui/ and app/"

# Writers racing on one base, a few rounds (scripts/stress-writers.sh 20 300000 for the full run).
scripts/stress-writers.sh 5 20000

# The first report of either sanitizer fails the run. One clang build holds the engine's tests and the
# fuzz targets, both under the sanitizers (and the fuzzer's coverage, which the tests do not mind).
export ASAN_OPTIONS=halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

# Each fuzz target for a short run; the round trip of a whole base is the slowest, and runs fewer.
mkdir -p build-asan/fuzz-logs
for target in base_line round_trip settings notification rif psq sgf mail rules; do
  log="build-asan/fuzz-logs/$target.log"
  runs=20000
  [ "$target" = round_trip ] && runs=5000
  if ! scripts/fuzz.sh "$target" "$runs" >"$log" 2>&1; then
    cat "$log"
    exit 1
  fi
  echo "fuzz_$target: $(grep -m1 '^Done' "$log")"
done
