#!/usr/bin/env bash
# Start-up, idle CPU and memory of the game against a bare Qt window with a
# menu bar, on one X display (make bench runs it under Xvfb):
#   bench/startup/run.sh QUIBIX BARE_WINDOW MAP_TIMER [OTHER_QUIBIX]
# Start-up is exec to the map event of the main window (MAP_TIMER), the
# programs started in turn so that all see the same machine load; median of
# STARTUP_RUNS (11) each. Then CPU over IDLE_SECONDS (20) at the title
# screen and memory: music playing (each piece in turn, as the title picks
# one by chance and they differ), "Music" unchecked from the start, and
# "Music" unchecked after a piece has played. OTHER_QUIBIX (an older build,
# say) is measured alongside, without targets.
# Targets: start-up <= 1.3 x the bare window; unchecked <= 0.1 % CPU and
# <= 45 MB; playing <= 1.5 % CPU and <= 70 MB.
set -euo pipefail
[ -n "${DISPLAY:-}" ] || { echo "needs an X display (e.g. xvfb-run -a $0 ...)" >&2; exit 2; }
game=$1 bare=$2 timer=$3 other=${4:-}
runs=${STARTUP_RUNS:-11} idle=${IDLE_SECONDS:-20}
# The dummy driver runs the mixer in real time on any machine.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
work=$(mktemp -d)
running=""
trap '[ -z "$running" ] || kill $running 2>/dev/null || true; rm -rf "$work"' EXIT

# Each game runs from its own copy of its folder, so nothing is written
# into a build and every start finds the same files.
cp -r "$(dirname "$game")" "$work/game"
names=(game bare) programs=("$work/game/$(basename "$game")" "$bare")
if [ -n "$other" ]; then
    cp -r "$(dirname "$other")" "$work/other"
    names+=(other) programs+=("$work/other/$(basename "$other")")
fi

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
memory() { awk -v k="$2:" '$1 == k { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
fails=0
verdict() { # verdict OK TEXT
    if [ "$1" = 1 ]; then echo "  PASS  $2"; else echo "  FAIL  $2"; fails=$((fails + 1)); fi
}

for ((r = 0; r < runs; r++)); do
    for i in "${!programs[@]}"; do
        "$timer" "${programs[$i]}" 2>/dev/null | awk '{ print $1 }' >>"$work/start.${names[$i]}"
        sleep 0.3
    done
done
declare -A startup
echo "Start-up, exec to the main window's map event, median of $runs, interleaved:"
for name in "${names[@]}"; do
    startup[$name]=$(median <"$work/start.$name")
    printf '  %-6s %7.1f ms   (all: %s)\n' "$name" "${startup[$name]}" "$(sort -n "$work/start.$name" | tr '\n' ' ')"
done
ratio=$(awk -v g="${startup[game]}" -v b="${startup[bare]}" 'BEGIN { printf "%.2f", g / b }')
verdict "$(awk -v r="$ratio" 'BEGIN { print (r <= 1.3) }')" "start-up $ratio x the bare window (target <= 1.3)"

# idle NAME PROGRAM MODE: CPU % over $idle s and memory at the title.
# MODE: playing, off (Music unchecked at once), later (unchecked after 3 s).
idle() {
    local line pid win
    line=$("$timer" --keep "$2")
    pid=$(cut -d' ' -f2 <<<"$line") win=$(cut -d' ' -f3 <<<"$line")
    running=$pid
    if [ "$3" = later ]; then sleep 3; fi
    if [ "$3" != playing ]; then
        # Sound > Music: the menu title at field x 107, its first item.
        sleep 0.3
        eval "$(xdotool getwindowgeometry --shell "$win" | grep -E '^(X|Y|HEIGHT)=')"
        xdotool mousemove $((X + 107)) $((Y + (HEIGHT - 461) / 2)) click 1
        sleep 0.3
        xdotool key Down Return
    fi
    sleep 6 # the first status event, a piece loaded, or a pause after silence
    local t0 t1
    t0=$(ticks "$pid")
    sleep "$idle"
    t1=$(ticks "$pid")
    local cpu rss peak
    cpu=$(awk -v a="$t0" -v b="$t1" -v hz="$(getconf CLK_TCK)" -v s="$idle" 'BEGIN { printf "%.2f", (b - a) / hz / s * 100 }')
    rss=$(memory "$pid" VmRSS) peak=$(memory "$pid" VmHWM)
    kill "$pid"
    running=""
    sleep 0.5
    echo "$cpu $rss $peak"
}

# one_piece FOLDER PIECE: a copy of the game's folder whose only music is PIECE.
one_piece() {
    rm -rf "$work/piece" && cp -r "$1" "$work/piece"
    find "$work/piece/data" -name '*.mid' ! -name "$2" -delete
    echo "$work/piece/$(basename "$game")"
}

echo "At the title screen, CPU over $idle s and memory (resident now / peak):"
read -r c r p < <(idle bare "$bare" playing)
printf '  %-32s %5.2f %% CPU  %6.1f / %6.1f MB\n' "bare window" "$c" "$r" "$p"
for name in game ${other:+other}; do
    program=${programs[0]}
    [ "$name" = other ] && program=${programs[2]}
    worst_c=0 worst_p=0
    for piece in $(cd "$(dirname "$program")/data" && ls -- *.mid); do
        read -r c r p < <(idle "$name" "$(one_piece "$(dirname "$program")" "$piece")" playing)
        printf '  %-32s %5.2f %% CPU  %6.1f / %6.1f MB\n' "$name, music playing ($piece)" "$c" "$r" "$p"
        worst_c=$(awk -v a="$worst_c" -v b="$c" 'BEGIN { print (b > a ? b : a) }')
        worst_p=$(awk -v a="$worst_p" -v b="$p" 'BEGIN { print (b > a ? b : a) }')
    done
    [ "$name" = game ] && verdict "$(awk -v c="$worst_c" -v p="$worst_p" 'BEGIN { print (c <= 1.5 && p <= 70) }')" \
        "music playing, the costliest piece: $worst_c % CPU (<= 1.5), peak $worst_p MB (<= 70)"
    read -r c r p < <(idle "$name" "$program" off)
    printf '  %-32s %5.2f %% CPU  %6.1f / %6.1f MB\n' "$name, Music unchecked" "$c" "$r" "$p"
    [ "$name" = game ] && verdict "$(awk -v c="$c" -v p="$p" 'BEGIN { print (c <= 0.1 && p <= 45) }')" \
        "Music unchecked: $c % CPU (<= 0.1), peak $p MB (<= 45)"
    read -r c r p < <(idle "$name" "$program" later)
    printf '  %-32s %5.2f %% CPU  %6.1f / %6.1f MB\n' "$name, unchecked after playing" "$c" "$r" "$p"
    [ "$name" = game ] && verdict "$(awk -v c="$c" -v r="$r" 'BEGIN { print (c <= 0.1 && r <= 45) }')" \
        "unchecked after playing: $c % CPU (<= 0.1), resident $r MB (<= 45)"
done
exit $((fails > 0))
