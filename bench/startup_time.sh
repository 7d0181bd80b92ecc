#!/usr/bin/env bash
# Start-up time, from exec to a visible window, of one or two builds of the
# game, alternating so both see the same machine load:
#   DISPLAY=:NN bench/startup_time.sh build/Quibix/quibix [other/quibix] [runs]
# Each program runs from a temporary copy of its folder.
set -euo pipefail
[ -n "${DISPLAY:-}" ] || { echo "needs an X display (e.g. Xvfb :99 & DISPLAY=:99)" >&2; exit 2; }
programs=("$1")
runs=${3:-7}
[ -n "${2:-}" ] && programs+=("$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for p in "${!programs[@]}"; do
    cp -r "$(dirname "${programs[$p]}")" "$work/app$p"
    : >"$work/times$p"
done

for ((r = 0; r < runs; r++)); do
    for p in "${!programs[@]}"; do
        start=$(date +%s%N)
        "$work/app$p/quibix" >/dev/null 2>&1 &
        pid=$!
        timeout 30 xdotool search --sync --onlyvisible --name '^Quibix$' >/dev/null
        echo $((($(date +%s%N) - start) / 1000000)) >>"$work/times$p"
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        sleep 0.5
    done
done

for p in "${!programs[@]}"; do
    sort -n "$work/times$p" | awk -v name="${programs[$p]}" \
        '{ t[NR] = $1 } END { printf "%-40s median %d ms, best %d, worst %d (%d runs)\n", name, t[int((NR + 1) / 2)], t[1], t[NR], NR }'
done
