#!/usr/bin/env bash
# The peak memory of "kalvon-cli import" of a generated RenjuNet database (160,000 games by default)
# into an empty base, with --transliterate, beside that of "kalvon-cli resave" of the base it made,
# and the ratio of the two (the import should stay at most 1.5 times the resave).
# usage: scripts/import-memory.sh [BUILD_DIR] [GAMES]   (default build-h, 160000)
set -euo pipefail
build=${1:-build-h}
games=${2:-160000}
cli="$build/kalvon-cli"
genrif="$build/bench/kalvon-genrif"
for tool in "$cli" "$genrif"; do
  [ -x "$tool" ] || { echo "import-memory.sh: $tool is not built" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "import-memory.sh: /usr/bin/time is missing (Debian package time)" >&2; exit 2; }
cli=$(realpath "$cli")
work=$(mktemp -d "${TMPDIR:-/tmp}/kalvon-import-memory.XXXXXX")
trap 'rm -rf "$work"' EXIT

"$genrif" --games "$games" "$work/games.rif"
# The tool runs in the folder, as a user runs it; no settings file there: the default code page.
cd "$work"
/usr/bin/time -o import.kb -f %M "$cli" import base.bdt games.rif --transliterate >import.out 2>import.err ||
  { cat import.err >&2; exit 1; }
/usr/bin/time -o resave.kb -f %M "$cli" resave base.bdt resaved.bdt
import_kb=$(tail -n 1 import.kb)
resave_kb=$(tail -n 1 resave.kb)
cat import.out
echo "rif: $(stat -c %s games.rif) bytes, base: $(stat -c %s base.bdt) bytes"
echo "import peak: $import_kb KB"
echo "resave peak: $resave_kb KB"
awk -v a="$import_kb" -v b="$resave_kb" 'BEGIN { printf "ratio: %.2f (at most 1.50)\n", a / b }'
