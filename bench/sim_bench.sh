#!/usr/bin/env bash
# quibix-sim playing 100,000 random turns: a new game of random level, shape
# and group size every 10 shots, at random angles. Target: under 10 s.
set -euo pipefail
sim=${1:?usage: sim_bench.sh QUIBIX_SIM [REPLAY]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk 'BEGIN {
  srand(2026); print "seed 2026"
  split("square face diamond columns saw random", shapes, " ")
  for (turn = 0; turn < 100000; turn++) {
    if (turn % 10 == 0)
      printf "new %s %s %d\n", (rand() < 0.5 ? "easy" : "hard"), shapes[1 + int(rand() * 6)], 3 + int(rand() * 4)
    printf "shoot %d\n", 2 + int(rand() * 177)
  }
}' > "$work/script.txt"

start=$(date +%s.%N)
"$sim" < "$work/script.txt" > "$work/out.txt"
end=$(date +%s.%N)

turns=$(grep -c '"angle"' "$work/out.txt" || true)
refused=$(grep -c '"error"' "$work/out.txt" || true)
awk -v s="$start" -v e="$end" -v t="$turns" -v r="$refused" 'BEGIN {
  printf "quibix-sim: %d turns played (%d shots after a lost game refused) in %.2f s, %.1f us a turn (target: 100,000 turns under 10 s)\n", t, r, e - s, (e - s) * 1e6 / t
}'

# A recorded game (written by quibix_bench: as long as its careful bot
# lasts) verified by replaying it, 20 times in one run so that starting the
# program does not count. Target: 1,000 shots under 0.1 s.
replay=${2:-}
if [ -n "$replay" ] && [ -f "$replay" ]; then
  for i in $(seq 20); do echo "replay $replay"; done > "$work/replays.txt"
  start=$(date +%s.%N)
  "$sim" < "$work/replays.txt" > "$work/replays.out"
  end=$(date +%s.%N)
  shots=$(grep -c '^shot ' "$replay")
  awk -v s="$start" -v e="$end" -v n="$shots" -v a="$(tail -n 1 "$work/replays.out")" 'BEGIN {
    each = (e - s) / 20
    printf "quibix-sim: a %d-shot replay verified in %.4f s, %.3f s per 1,000 shots (target: under 0.1 s): %s\n", n, each, each * 1000 / n, a
  }'
fi
