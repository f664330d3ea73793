#!/usr/bin/env bash
# Kills kalvon-cli resave at random moments while it replaces a valid base with a large one, and checks
# that the target is always either the old file or the complete new one, and that one more save leaves
# no temporary file behind:
#   scripts/kill-test.sh [KILLS [GAMES]]     (defaults: 50 kills, 1000000 games)
# At least three kills in five fall after the temporary file exists. Works in $TMPDIR/kalvon-kill-test.
set -euo pipefail
cd "$(dirname "$0")/.."
kills="${1:-50}"
games="${2:-1000000}"
cmake --preset default >/dev/null
cmake --build --preset default --target kalvon-cli kalvon-genbase >/dev/null
cli="$PWD/build/kalvon-cli"
genbase="$PWD/build/generator/kalvon-genbase"
work="${TMPDIR:-/tmp}/kalvon-kill-test"
rm -rf "$work"
mkdir -p "$work"
cd "$work"

"$genbase" --games "$games" --seed 1 big.bdt >/dev/null
"$genbase" --games 2000 --seed 2 old.bdt >/dev/null
# The complete new file, from a save nobody interrupts.
"$cli" resave big.bdt new.bdt
temporaries() { find . -maxdepth 1 -name 'target.bdt.kalvon-save~*' | wc -l; }

start=$(date +%s)
done_kills=0 after_temp=0 old_left=0 new_left=0 broken=0 finished=0
while [ "$done_kills" -lt "$kills" ]; do
  cp old.bdt target.bdt
  "$cli" resave big.bdt target.bdt 2>/dev/null &
  pid=$!
  # Most kills wait for the temporary file and strike while it is written or renamed; the rest strike
  # while the base is still being read.
  if [ $((done_kills % 5)) -lt 4 ]; then
    while kill -0 "$pid" 2>/dev/null && [ "$(find . -maxdepth 1 -name "target.bdt.kalvon-save~*~$pid~*" | wc -l)" -eq 0 ]; do
      sleep 0.01
    done
    sleep "0.$(printf '%03d' $((RANDOM % 1000)))"
  else
    sleep "0.$(printf '%03d' $((RANDOM % 1000)))"
  fi
  had_temp=$(find . -maxdepth 1 -name "target.bdt.kalvon-save~*~$pid~*" | wc -l)
  if ! kill -9 "$pid" 2>/dev/null; then
    wait "$pid" || true
    finished=$((finished + 1))
    continue
  fi
  wait "$pid" 2>/dev/null || true
  done_kills=$((done_kills + 1))
  [ "$had_temp" -gt 0 ] && after_temp=$((after_temp + 1))
  if cmp -s target.bdt old.bdt; then
    old_left=$((old_left + 1)); state=old
  elif cmp -s target.bdt new.bdt; then
    new_left=$((new_left + 1)); state=new
  else
    broken=$((broken + 1)); state=BROKEN
  fi
  echo "kill $done_kills: temporary file existed: $([ "$had_temp" -gt 0 ] && echo yes || echo no); target: $state; temporaries now: $(temporaries)"
done

# One more save removes what the killed saves left.
"$cli" resave big.bdt target.bdt
left=$(temporaries)
cmp -s target.bdt new.bdt && final=new || final=BROKEN
echo "kills: $done_kills ($after_temp after the temporary file existed; $finished saves finished before their kill)"
echo "target afterwards: old file $old_left, complete new file $new_left, anything else $broken"
echo "after one more save: target $final, temporary files left $left; $(( $(date +%s) - start )) s"
[ "$broken" -eq 0 ] && [ "$left" -eq 0 ] && [ "$final" = new ] && [ "$after_temp" -ge $((kills * 3 / 5)) ]
