#!/usr/bin/env bash
# Races writers of one base and checks that none loses another's games:
#   scripts/stress-writers.sh [ROUNDS [GAMES]]     (defaults: 20 rounds, 300000 games)
# 1. ROUNDS pairs of kalvon-cli add at once, each over an add/ of its own with three new boards;
# 2. ROUNDS rounds of an add and an update racing a resave of the base onto itself;
# 3. ROUNDS rounds like 2 in which one of the three runs is killed at a random moment;
# 4. ROUNDS pairs of add run at once by two users who share the base's group (uids 4801 and 4802,
#    group 4800, under umask 077), from a lock file the first writer makes (run as root; skipped with
#    a message otherwise).
# Afterwards every game of every run that exited 0 is in the base, and after every round the base is
# whole: every line a base line, the count of games what the runs that finished added. Uses the
# kalvon-cli and kalvon-genbase of build-ci/ (the test script's build) when they are there, else
# builds the default preset. Works in $TMPDIR/kalvon-stress-writers.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${1:-20}"
games="${2:-300000}"
if [ -x build-ci/kalvon-cli ] && [ -x build-ci/generator/kalvon-genbase ]; then
  cli="$PWD/build-ci/kalvon-cli" genbase="$PWD/build-ci/generator/kalvon-genbase"
else
  cmake --preset default >/dev/null
  cmake --build --preset default --target kalvon-cli kalvon-genbase >/dev/null
  cli="$PWD/build/kalvon-cli" genbase="$PWD/build/generator/kalvon-genbase"
fi
work="${TMPDIR:-/tmp}/kalvon-stress-writers"
rm -rf "$work"
mkdir -p "$work"
cd "$work"
"$genbase" --games "$games" --seed 7 base.bdt >/dev/null

# A notification of one move whose players name the run and the game, so that the base shows it.
notification() {  # board black
  printf 'Notification of Gomoku Board %s\r\n\r\nGame won by %s.\r\n\r\n   Eks          Ohs\r\n   %s  Zz\r\n  1 H8         2 Resign\r\n\r\n' "$1" "$2" "$2"
}
# A working folder for one run: folder kind (add or update) tag.
prepare() {
  rm -rf "$1" && mkdir -p "$1/$2"
  for k in 1 2 3; do notification "$3$k" "P$3x$k" >"$1/$2/n${k}_09.txt"; done
}
expected=$(LC_ALL=C grep -ac . base.bdt)
lost=0 broken=0 crashes=0 runs=0 succeeded=0 killed=0
declare -a owed=()

check_whole() {  # the base has exactly the games the finished runs added, each line a base line
  local count bad
  count=$(LC_ALL=C grep -ac . base.bdt || true)
  bad=$(tr -d '\r' <base.bdt | LC_ALL=C grep -a -cvE '^[^,]*,[^=]*=\[[^]]*\]$' || true)
  if [ "$bad" -ne 0 ] || [ "$count" -ne "$expected" ]; then
    echo "round $1: base not whole: $count games for $expected, $bad lines that are no base line"
    broken=$((broken + 1))
  fi
}
# Counts one finished run: exit 0 adds its three games to what the base owes.
finish() {  # status tag killed
  runs=$((runs + 1))
  if [ "$1" -eq 0 ]; then
    succeeded=$((succeeded + 1)) expected=$((expected + 3)) owed+=("$2")
  elif [ "$1" -ge 128 ] && [ "$3" != yes ]; then
    crashes=$((crashes + 1))
  elif [ "$3" = yes ] && LC_ALL=C grep -aq "P${2}x1" base.bdt; then
    expected=$((expected + 3))  # killed after its rename: its games are there
  fi
}

# Two users of one base: the folder and the base belong to their shared group.
users=yes
if [ "$(id -u)" -ne 0 ]; then
  users=no
  echo "stress-writers: not root, so the rounds of two users are skipped"
fi
as_user() {  # uid command...
  local uid=$1
  shift
  (umask 077 && exec setpriv --reuid="$uid" --regid="$uid" --groups=4800 "$@")
}

start=$(date +%s)
for phase in pairs race kill users; do
  if [ "$phase" = users ]; then
    [ "$users" = yes ] || continue
    chgrp 4800 . base.bdt && chmod 2775 . && chmod 0660 base.bdt
    rm -f base.bdt.lock
  fi
  for ((i = 1; i <= rounds; i++)); do
    a="${phase:0:1}${i}a" b="${phase:0:1}${i}b"
    if [ "$phase" = users ]; then
      prepare "wa" add "$a"; prepare "wb" add "$b"
      (cd wa && as_user 4801 "$cli" add ../base.bdt 2>../a.err) & pa=$!
      (cd wb && as_user 4802 "$cli" add ../base.bdt 2>../b.err) & pb=$!
      sa=0; wait "$pa" || sa=$?; sb=0; wait "$pb" || sb=$?
      finish "$sa" "$a" no; finish "$sb" "$b" no
      # Waiting out the other writer may fail a run; a lock file one user cannot open must not.
      if grep -q "lock file" a.err b.err; then
        echo "users $i: $(grep -h "lock file" a.err b.err | head -1)"
        broken=$((broken + 1))
      fi
    elif [ "$phase" = pairs ]; then
      prepare "wa" add "$a"; prepare "wb" add "$b"
      (cd wa && "$cli" add ../base.bdt 2>/dev/null) & pa=$!
      (cd wb && "$cli" add ../base.bdt 2>/dev/null) & pb=$!
      sa=0; wait "$pa" || sa=$?; sb=0; wait "$pb" || sb=$?
      finish "$sa" "$a" no; finish "$sb" "$b" no
    else
      prepare "wa" add "$a"; prepare "wb" update "$b"
      (cd wa && exec "$cli" add ../base.bdt 2>/dev/null) & pa=$!
      (cd wb && exec "$cli" update ../base.bdt 2>/dev/null) & pb=$!
      "$cli" resave base.bdt base.bdt 2>/dev/null & pr=$!
      victim=none
      if [ "$phase" = kill ]; then
        sleep "0.$(printf '%03d' $((RANDOM % 400)))"
        case $((i % 3)) in 0) victim=$pa ;; 1) victim=$pb ;; 2) victim=$pr ;; esac
        kill -9 "$victim" 2>/dev/null && killed=$((killed + 1)) || victim=none
      fi
      { sa=0; wait "$pa" || sa=$?; sb=0; wait "$pb" || sb=$?; sr=0; wait "$pr" || sr=$?; } 2>/dev/null
      finish "$sa" "$a" "$([ "$victim" = "$pa" ] && echo yes || echo no)"
      finish "$sb" "$b" "$([ "$victim" = "$pb" ] && echo yes || echo no)"
      runs=$((runs + 1))
      [ "$sr" -eq 0 ] && succeeded=$((succeeded + 1))
      [ "$sr" -ge 128 ] && [ "$victim" != "$pr" ] && crashes=$((crashes + 1))
    fi
    check_whole "$phase $i"
  done
done
for tag in "${owed[@]}"; do
  for k in 1 2 3; do LC_ALL=C grep -aq "P${tag}x$k" base.bdt || { echo "lost: game $k of run $tag"; lost=$((lost + 1)); }; done
done
echo "writers: $runs runs ($succeeded exited 0, $killed killed) on a base of $games games in $(( $(date +%s) - start )) s"
echo "crashes $crashes, rounds with a base not whole $broken, games of successful runs lost $lost"
[ "$crashes" -eq 0 ] && [ "$broken" -eq 0 ] && [ "$lost" -eq 0 ]
