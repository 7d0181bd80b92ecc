# The Help menu: the about box opened during a game shows its picture and
# holds the game until "OK"; a damaged picture still gives a box; the
# read-me goes to the desktop's opener, and its failure is told.
source "$(dirname "$0")/common.bash"

# A stand-in for the desktop's opener: notes what it was asked to open and
# exits with the status written in opener_status.
mkdir -p "$WORK/bin"
cat >"$WORK/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$1" >>"$WORK/opened"
exit \$(cat "$WORK/opener_status")
EOF
chmod +x "$WORK/bin/xdg-open"
echo 0 >"$WORK/opener_status"
export PATH="$WORK/bin:$PATH"

start_app "$1"
HELP_X=303 # the "Help" title in the menu bar

BOX="" BOX_X=0 BOX_Y=0
# open_about: Help > "About Quibix...", waiting for the box "Help".
open_about() {
    menu $HELP_X 1
    BOX=$(timeout 10 xdotool search --sync --onlyvisible --name '^Help$' | head -n 1) || true
    [ -n "$BOX" ] || fail "the about box did not show"
    sleep 0.5
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$BOX" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    [ "${WIDTH}x${HEIGHT}" = 420x380 ] || fail "about box of ${WIDTH}x${HEIGHT}, expected 420x380"
    BOX_X=$X BOX_Y=$Y
    import -window root -crop "420x380+$BOX_X+$BOX_Y" +repage "$WORK/$1.png"
}
expect_box_gone() {
    local tries
    for ((tries = 0; tries < 30; tries++)); do
        xdotool search --onlyvisible --name '^Help$' >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    fail "the about box stayed open"
}
# The corner beside "OK" shows the picture itself (the pieces drawn there).
convert "$WORK/app/data/about.jpg" -crop 120x50+222+322 +repage "$WORK/picture_corner.png"

# During a game, with the cursor freed to reach the menu.
click_at 62 34 # "Start Game"
wait_still game
xdotool key Escape
sleep 0.3
crop game field_before 442 460 0 0

open_about box
crop box box_corner 120 50 222 322
[ "$(diff_pixels box_corner picture_corner)" -lt 300 ] || fail "the about box does not show about.jpg"

# A click on the field behind the box fires nothing.
click_at 20 300
sleep 1
xdotool mousemove $((BOX_X + 382)) $((BOX_Y + 336)) click 1 # "OK"
expect_box_gone
wait_still after_box
crop after_box field_after 442 460 0 0
[ "$(diff_pixels field_before field_after)" -lt 50 ] || fail "the game moved behind the about box"

# A damaged picture: a plain backdrop, and Return closes the box.
printf 'not a picture' >"$WORK/app/data/about.jpg"
open_about plain_box
crop plain_box plain_corner 120 50 222 322
[ "$(diff_pixels plain_corner picture_corner)" -gt 2000 ] || fail "a damaged about.jpg still shows a picture"
xdotool key Return
expect_box_gone

# "Readme && Warranty" hands the program's Readme.txt to the opener ...
menu $HELP_X 2
for ((tries = 0; tries < 25; tries++)); do [ -s "$WORK/opened" ] && break; sleep 0.2; done
[ "$(cat "$WORK/opened" 2>/dev/null)" = "$WORK/app/Readme.txt" ] ||
    fail "the opener got '$(cat "$WORK/opened" 2>/dev/null)'"
# ... and says so when the opener fails.
echo 3 >"$WORK/opener_status"
menu $HELP_X 2
timeout 10 xdotool search --sync --onlyvisible --name '^Readme.txt$' >/dev/null ||
    fail "no message when the read-me could not be opened"

close_window
expect_exit 5
echo "PASS"
