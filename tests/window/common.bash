# Shared steps of the real-window and desktop tests. Positions are field
# pixels: (0, 0) is the play field's corner under the menu bar.
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WORK=$(mktemp -d)
# Window size and full screen are remembered per player: each run starts fresh.
export XDG_CONFIG_HOME="$WORK/config"
APP_PID="" WIN="" WIN_X=0 WIN_Y=0 WIN_W=0 WIN_H=0 MENU_H=0 SCALE=1

cleanup() {
    if [ -n "$APP_PID" ]; then kill "$APP_PID" 2>/dev/null || true; fi
    if [ -n "${KEEP_SHOTS:-}" ]; then echo "screenshots kept in $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# window NAME: waits for a window NAME; sets ID and its X Y WIDTH HEIGHT.
window() {
    ID=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) || true
    [ -n "$ID" ] || { cat "$WORK/app.log" >&2 || true; fail "no window \"$1\""; }
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$ID" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
}
# gone NAME: true once no window NAME shows (waits up to 6 s).
gone() { timeout 6 bash -c "while xdotool search --onlyvisible --name '^$1\$' >/dev/null; do sleep 0.2; done"; }

# start_program CMD...: the window, at a whole scale with a menu bar.
start_program() {
    "$@" >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    window Quibix
    WIN=$ID WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT SCALE=$((WIDTH / 540))
    [ $((WIDTH % 540)) -eq 0 ] || fail "window width $WIDTH is not a whole multiple of 540"
    MENU_H=$((HEIGHT - 461 * SCALE))
    xdotool windowfocus --sync "$WIN" 2>/dev/null || true
}
# start_app PATH-TO-QUIBIX: runs a fresh copy of its folder, so no test writes into the build.
start_app() {
    rm -rf "$WORK/app" && cp -r "$(dirname "$1")" "$WORK/app"
    start_program "$WORK/app/$(basename "$1")"
}

# fake_opener: an xdg-open noting its file in $WORK/opened, exiting with $WORK/opener_status.
fake_opener() {
    mkdir -p "$WORK/bin"
    printf '#!/bin/sh\necho "$1" >>"%s/opened"\nexit $(cat "%s/opener_status")\n' "$WORK" "$WORK" >"$WORK/bin/xdg-open"
    chmod +x "$WORK/bin/xdg-open"
    echo 0 >"$WORK/opener_status"
    export PATH="$WORK/bin:$PATH"
}

# Screen position of field pixel (x, y): the middle of its scaled square.
sx() { echo $((WIN_X + SCALE * $1 + SCALE / 2)); }
sy() { echo $((WIN_Y + MENU_H + SCALE * $1 + SCALE / 2)); }

move_to() { xdotool mousemove "$(sx "$1")" "$(sy "$2")"; sleep 0.15; }
click_at() { move_to "$1" "$2"; xdotool click 1; }

# menu X DOWNS [SUB]: the item DOWNS down the menu titled at field x X (or its SUB-th subitem).
menu() {
    xdotool mousemove "$(sx "$1")" $((WIN_Y + MENU_H / 2)) click 1
    sleep 0.4
    local i
    for ((i = 0; i < $2; i++)); do xdotool key Down; sleep 0.1; done
    if [ -n "${3:-}" ]; then
        xdotool key Right
        for ((i = 1; i < $3; i++)); do xdotool key Down; done
    fi
    xdotool key Return
    sleep 0.3
}

# start_game NAME: "Start Game" on the title screen; the field left as NAME.png.
start_game() {
    wait_still before_start # a redraw still under way is not taken for the game
    click_at 62 34
    wait_change before_start "$1" 50000 # not the button's own shading: the field
    wait_still "$1"
}
# Escape frees the cursor held in the field, so the menu bar can be reached.
free_cursor() { xdotool key Escape; sleep 0.3; }
# File > "Exit", and the program ends well.
quit_by_menu() { menu 20 3; expect_exit 5; }

# grab NAME W H X Y: a screenshot of that screen rectangle as $WORK/NAME.png.
grab() { import -window root -crop "$2x$3+$4+$5" +repage "$WORK/$1.png"; }
# shot NAME: the field in field pixels at any scale (a crisp window's every SCALE-th pixel).
shot() {
    grab "$1" $((540 * SCALE)) $((461 * SCALE)) "$WIN_X" $((WIN_Y + MENU_H))
    [ "$SCALE" -eq 1 ] || mogrify -sample "540x461!" "$WORK/$1.png"
}
# crop SRC DST W H X Y: a part of a screenshot.
crop() { convert "$WORK/$1.png" -crop "$3x$4+$5+$6" +repage "$WORK/$2.png"; }
# diff_pixels A B: how many pixels of two same-size pictures differ.
diff_pixels() { compare -metric AE -fuzz 3% "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 | cut -d' ' -f1 || true; }

# wait_still NAME: waits (up to 15 s) for the field to stop changing; its shot is NAME.png.
wait_still() {
    local tries
    shot "$1"
    for ((tries = 0; tries < 30; tries++)); do
        sleep 0.5
        shot still_probe
        [ "$(diff_pixels "$1" still_probe)" -eq 0 ] && return 0
        mv "$WORK/still_probe.png" "$WORK/$1.png"
    done
    fail "the window kept changing for 15 s"
}

# wait_until REF NAME TEST COUNT: waits (up to 15 s) until the number of
# pixels the field differs from REF.png in passes `-TEST COUNT` (gt, lt);
# its shot is NAME.png. A busy machine or a sanitizer build may take a
# moment to answer a key or a click.
wait_until() {
    local tries
    for ((tries = 0; tries < 30; tries++)); do
        shot "$2"
        [ "$(diff_pixels "$1" "$2")" "-$3" "$4" ] && return 0
        sleep 0.5
    done
}
# wait_change FROM NAME [MIN]: until it differs in more than MIN pixels (100).
wait_change() { wait_until "$1" "$2" gt "${3:-100}"; }
# wait_like REF NAME LIMIT: until it differs in fewer than LIMIT pixels.
wait_like() { wait_until "$1" "$2" lt "$3"; }

x11() { # close|ping ...: WM_DELETE_WINDOW or _NET_WM_PING (see x11.c)
    [ -x "$WORK/x11" ] || cc -O1 -o "$WORK/x11" "$HERE/x11.c" -lX11 || fail "cannot build x11.c (needs libx11-dev)"
    "$WORK/x11" "$@"
}
close_window() { x11 close "$WIN"; } # as the close box does

# expect_exit SECONDS: the program ends within that time with status 0.
expect_exit() {
    local status=0
    timeout "$1" tail -s 0.1 --pid="$APP_PID" -f /dev/null || fail "the program still runs $1 s after closing"
    wait "$APP_PID" || status=$?
    APP_PID=""
    [ "$status" -eq 0 ] || { cat "$WORK/app.log" >&2; fail "exit status $status"; }
}
