# Shared steps of the desktop tests (sourced): the window helpers of the
# real-window tests, for a program started any way and drawn at any scale.
source "$(dirname "${BASH_SOURCE[0]}")/../window/common.bash"

SCALE=1

# start_program CMD...: starts the program, waits for its window and works
# out where its client area is and how large the window is drawn.
start_program() {
    "$@" >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    WIN=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quibix$' | head -n 1) || true
    [ -n "$WIN" ] || { cat "$WORK/app.log" >&2; fail "the window did not show"; }
    sleep 0.5
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$WIN" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    [ $((WIDTH % 540)) -eq 0 ] || fail "window width $WIDTH is not a whole multiple of 540"
    SCALE=$((WIDTH / 540))
    WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
    MENU_H=$((HEIGHT - 461 * SCALE))
    [ "$MENU_H" -gt 10 ] || fail "no room for a menu bar (window height $HEIGHT)"
    xdotool windowfocus --sync "$WIN" 2>/dev/null || true
}

stop_program() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
}

# Field pixel (x, y) on the screen: the middle of its scaled square.
sx() { echo $((WIN_X + SCALE * $1 + SCALE / 2)); }
sy() { echo $((WIN_Y + MENU_H + SCALE * $1 + SCALE / 2)); }

# A screenshot of the client area brought back to field pixels (every
# SCALE-th pixel: a crisp scaled window gives the field's own pixels).
shot() {
    import -window root -crop "$((540 * SCALE))x$((461 * SCALE))+$WIN_X+$((WIN_Y + MENU_H))" +repage \
        "$WORK/$1.png"
    [ "$SCALE" -eq 1 ] || mogrify -sample "540x461!" "$WORK/$1.png"
}

# menu X DOWNS: opens the menu-bar title at field x X and picks the item
# DOWNS steps down.
menu() {
    xdotool mousemove $((WIN_X + SCALE * $1)) $((WIN_Y + MENU_H / 2)) click 1
    sleep 0.4
    local i
    for ((i = 0; i < $2; i++)); do xdotool key Down; sleep 0.1; done
    xdotool key Return
}
