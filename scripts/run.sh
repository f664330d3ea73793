#!/usr/bin/env bash
# Builds the desktop program and starts it in a working folder of its own, never in the checkout:
# ~/Kalvon (or $KALVON_HOME). The first start creates that folder with a generated sample base of
# 2000 games and opens it, so that there are games to look at at once. Arguments go on to kalvon: a
# base file named here opens at start-up (kalvon --help tells more).
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="${KALVON_HOME:-$HOME/Kalvon}"

# Files are named relative to where this script was called, not to the working folder.
args=()
for arg in "$@"; do
  case "$arg" in
    -*) args+=("$arg") ;;
    *) args+=("$(realpath -m -- "$arg")") ;;
  esac
done

cd "$source_dir"
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target kalvon kalvon-genbase

if [ ! -d "$work" ]; then
  mkdir -p "$work"
  build/generator/kalvon-genbase --games 2000 "$work/sample.bdt"
  echo "Created $work with the sample base sample.bdt."
  # Nothing named: the first start shows the sample base rather than an empty scratch base.
  if [ ${#args[@]} -eq 0 ]; then args=("$work/sample.bdt"); fi
fi
cd "$work"
exec "$source_dir/build/ui/kalvon" ${args[@]+"${args[@]}"}
