# Shared steps of the real-window tests (sourced, not a test itself).
# The program runs from a copy of its folder, so a test never writes into
# the build. Positions are client-area pixels: (0, 0) is the play field's
# top-left corner, under the menu bar.
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WORK=$(mktemp -d)
APP_PID="" WIN="" WIN_X=0 WIN_Y=0 MENU_H=0

cleanup() {
    if [ -n "$APP_PID" ]; then kill "$APP_PID" 2>/dev/null || true; fi
    if [ -n "${KEEP_SHOTS:-}" ]; then echo "screenshots kept in $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# start_app PATH-TO-QUIBIX: copies the application folder, starts the copy and
# waits for its window.
start_app() {
    [ -x "$1" ] || fail "no program at $1"
    cp -r "$(dirname "$1")" "$WORK/app"
    "$WORK/app/$(basename "$1")" >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    WIN=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quibix$' | head -n 1) || true
    [ -n "$WIN" ] || fail "the window did not show"
    sleep 0.5
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$WIN" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    WIN_X=$X WIN_Y=$Y MENU_H=$((HEIGHT - 461))
    [ "$WIDTH" -eq 540 ] || fail "window width $WIDTH, expected 540"
    [ "$MENU_H" -gt 10 ] || fail "no room for a menu bar (window height $HEIGHT)"
    xdotool windowfocus --sync "$WIN" 2>/dev/null || true
}

# Screen position of client pixel (x, y).
sx() { echo $((WIN_X + $1)); }
sy() { echo $((WIN_Y + MENU_H + $1)); }

move_to() { xdotool mousemove "$(sx "$1")" "$(sy "$2")"; sleep 0.15; }
click_at() { move_to "$1" "$2"; xdotool click 1; }

# push_mouse X Y: sends the pointer towards client (X, Y), which may lie
# outside the field, and prints where it ended up as "x y".
push_mouse() {
    xdotool mousemove "$(sx "$1")" "$(sy "$2")"
    sleep 0.5
    local X Y SCREEN WINDOW
    eval "$(xdotool getmouselocation --shell)"
    echo "$((X - WIN_X)) $((Y - WIN_Y - MENU_H))"
}

# menu X DOWNS: opens the menu-bar title at client x X and picks the item
# DOWNS steps down.
menu() {
    click_at "$1" $((-MENU_H / 2))
    sleep 0.4
    local i
    for ((i = 0; i < $2; i++)); do xdotool key Down; sleep 0.1; done
    xdotool key Return
}

# shot NAME: a screenshot of the whole client area as $WORK/NAME.png.
shot() { import -window root -crop "540x461+$(sx 0)+$(sy 0)" +repage "$WORK/$1.png"; }
# crop SRC DST W H X Y: a part of a screenshot (client pixels).
crop() { convert "$WORK/$1.png" -crop "$3x$4+$5+$6" +repage "$WORK/$2.png"; }
# diff_pixels A B: how many pixels of two same-size pictures differ.
diff_pixels() { compare -metric AE -fuzz 3% "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 | cut -d' ' -f1 || true; }

# wait_still NAME: waits (up to 15 s) until the window stops changing, then
# leaves its screenshot as NAME.png.
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

# Sends WM_DELETE_WINDOW, as the close box would.
close_window() {
    if [ ! -x "$WORK/send_close" ]; then
        cc -O1 -o "$WORK/send_close" "$HERE/send_close.c" -lX11 ||
            fail "cannot build send_close (needs cc and libx11-dev)"
    fi
    "$WORK/send_close" "$WIN"
}

# expect_exit SECONDS: the program ends within that time with status 0.
expect_exit() {
    local waited=0 status=0
    while kill -0 "$APP_PID" 2>/dev/null; do
        [ "$waited" -lt $(($1 * 10)) ] || fail "the program still runs $1 s after closing"
        sleep 0.1
        waited=$((waited + 1))
    done
    wait "$APP_PID" || status=$?
    APP_PID=""
    [ "$status" -eq 0 ] || { cat "$WORK/app.log" >&2; fail "exit status $status"; }
}
