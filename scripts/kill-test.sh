#!/usr/bin/env bash
# Kills kalvon-cli resave at random moments while it replaces a valid base with a large one, and checks
# that the target is always either the old file or the complete new one, that every earlier generation
# of it is still there (under its own name, or the waiting name of the file being kept), that the
# next command that looks at the generations finds them in order, and that one more save leaves no
# temporary file behind:
#   scripts/kill-test.sh [KILLS [GAMES]]     (defaults: 50 kills, 1000000 games)
# At least three kills in five fall after the temporary file exists. Works in $TMPDIR/kalvon-kill-test.
# KALVON_BUILD_DIR names a build folder that holds kalvon-cli and kalvon-genbase already (else the
# default preset is built).
set -euo pipefail
cd "$(dirname "$0")/.."
kills="${1:-50}"
games="${2:-1000000}"
if [ -n "${KALVON_BUILD_DIR:-}" ]; then
  build="$(cd "$KALVON_BUILD_DIR" && pwd)"
else
  cmake --preset default >/dev/null
  cmake --build --preset default --target kalvon-cli kalvon-genbase >/dev/null
  build="$PWD/build"
fi
cli="$build/kalvon-cli"
genbase="$build/generator/kalvon-genbase"
work="${TMPDIR:-/tmp}/kalvon-kill-test"
rm -rf "$work"
mkdir -p "$work"
cd "$work"

"$genbase" --games "$games" --seed 1 big.bdt >/dev/null
"$genbase" --games 2000 --seed 2 old.bdt >/dev/null
# The complete new file, from a save nobody interrupts.
"$cli" resave big.bdt new.bdt
temporaries() { find . -maxdepth 1 -name 'target.bdt.kalvon-save~*' | wc -l; }
# Five earlier generations of the target (the default number kept), each a base of its own.
kept=5
for k in $(seq 1 $kept); do printf '2000,    %d=[GEN,%d,+,88,?,-]\r\n' "$k" "$k" >"gen$k.bdt"; done
gen() { [ "$1" -eq 1 ] && echo target.bdt.bak || echo "target.bdt.bak$1"; }
sum() { md5sum <"$1" | cut -d' ' -f1; }
# Whether a file of the content of $1 stands among the generations or the file waiting to be one.
present() {
  local want f
  want=$(sum "$1")
  for f in target.bdt.bak target.bdt.bak[0-9]* target.bdt.bak~pending; do
    [ -f "$f" ] && [ "$(sum "$f")" = "$want" ] && return 0
  done
  return 1
}
# Generations 1..kept hold gen$1.bdt, gen$(($1+1)).bdt, ...: $1 = 1 for the old ones, 0 for the ones
# after a finished rewrite (generation 1 the old target).
in_order() {
  local k from=$1 want
  for k in $(seq 1 $kept); do
    want=$((k - 1 + from))
    if [ "$want" -eq 0 ]; then want=old.bdt; else want="gen$want.bdt"; fi
    cmp -s "$(gen "$k")" "$want" || return 1
  done
  [ ! -e target.bdt.bak$((kept + 1)) ] && [ ! -e target.bdt.bak~pending ]
}

start=$(date +%s)
done_kills=0 after_temp=0 old_left=0 new_left=0 broken=0 finished=0 lost=0 disorder=0 mid_rotation=0
while [ "$done_kills" -lt "$kills" ]; do
  rm -f target.bdt.bak*
  cp old.bdt target.bdt
  for k in $(seq 1 $kept); do cp "gen$k.bdt" "$(gen "$k")"; done
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
    old_left=$((old_left + 1)); state=old; from=1
    # Nothing replaced: the generations are as they were.
    missing=""
    for k in $(seq 1 $kept); do present "gen$k.bdt" || missing="$missing gen$k"; done
  elif cmp -s target.bdt new.bdt; then
    new_left=$((new_left + 1)); state=new; from=0
    # Replaced: the old target and every generation but the oldest are kept.
    missing=""
    present old.bdt || missing=" old"
    for k in $(seq 1 $((kept - 1))); do present "gen$k.bdt" || missing="$missing gen$k"; done
  else
    broken=$((broken + 1)); state=BROKEN; from=x missing=""
  fi
  [ -n "$missing" ] && lost=$((lost + 1))
  # A kill between keeping the old file and its move into generation 1 leaves its waiting name.
  pending=no
  if [ -e target.bdt.bak~pending ]; then pending=yes; mid_rotation=$((mid_rotation + 1)); fi
  # The list finishes a rotation the kill cut short.
  "$cli" restore target.bdt --list >/dev/null
  order=yes
  if [ "$from" = x ] || ! in_order "$from"; then order=NO; disorder=$((disorder + 1)); fi
  echo "kill $done_kills: temporary file existed: $([ "$had_temp" -gt 0 ] && echo yes || echo no); target: $state;" \
       "generations missing:${missing:- none}; kept file waiting: $pending; in order after the list: $order;" \
       "temporaries now: $(temporaries)"
done

# One more save removes what the killed saves left.
"$cli" resave big.bdt target.bdt
left=$(temporaries)
cmp -s target.bdt new.bdt && final=new || final=BROKEN
echo "kills: $done_kills ($after_temp after the temporary file existed; $finished saves finished before their kill)"
echo "target afterwards: old file $old_left, complete new file $new_left, anything else $broken"
echo "generations: a generation missing after $lost kills, out of order after the list $disorder times;" \
     "$mid_rotation kills fell while the old file waited for its move into generation 1"
echo "after one more save: target $final, temporary files left $left; $(( $(date +%s) - start )) s"
[ "$broken" -eq 0 ] && [ "$lost" -eq 0 ] && [ "$disorder" -eq 0 ] && [ "$left" -eq 0 ] && [ "$final" = new ] &&
  [ "$after_temp" -ge $((kills * 3 / 5)) ]
