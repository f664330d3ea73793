#!/usr/bin/env bash
# Runs one libFuzzer target for COUNT inputs on a copy of its seed corpus:
#   scripts/fuzz.sh base_line|round_trip|settings|notification|rif|psq|sgf|mail|rules COUNT [LIBFUZZER OPTIONS...]
# Builds the fuzz preset (the sanitizer build) first when needed. Inputs that crash or break a property are written to
# build-asan/findings/TARGET/; the run's exit status is libFuzzer's.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
  echo "usage: scripts/fuzz.sh TARGET COUNT [LIBFUZZER OPTIONS...]" >&2
  exit 2
fi
target="$1"
count="$2"
shift 2
if [ ! -d "fuzz/corpus/$target" ]; then
  echo "scripts/fuzz.sh: no target $target (see fuzz/corpus/)" >&2
  exit 2
fi
[ -f build-asan/build.ninja ] || cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "fuzz_$target" >/dev/null

# The seeds stay as committed: libFuzzer adds what it finds to a working copy.
work="build-asan/corpus/$target"
findings="build-asan/findings/$target"
rm -rf "$work"
mkdir -p "$work" "$findings"
cp "fuzz/corpus/$target"/* "$work"/
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
# A GLib assertion that fails (a library call given what it refuses) is a finding too.
export G_DEBUG="${G_DEBUG:-fatal-criticals}"
exec "build-asan/fuzz/fuzz_$target" -runs="$count" -max_len=1024 -artifact_prefix="$findings/" \
  -print_final_stats=1 "$@" "$work"
