# Played from the keyboard alone: Return starts, the arrows turn the cannon a
# degree a press (and on to the end when held), Space fires. F11 fills the
# screen with the field at the largest whole scale, a resized window and
# Ctrl+= / Ctrl+- do the same in a window, and the size is kept for the
# next start. (Hold speeds and scale choice: HeldTurnTest, StageLayoutTest.)
source "$(dirname "$0")/../window/common.bash"
start_app "$1"
[ "$SCALE" -eq 1 ] || fail "a first start is not at scale 1 ($WIN_W x $WIN_H)"
MENU_1=$MENU_H

press() { xdotool key --delay 40 "$@"; sleep 0.3; }
cannon() { wait_still "$1"; crop "$1" "$1" 190 136 127 320; } # the cannon's corner

shot title
press Return
wait_change title started 10000
wait_still started
[ "$(diff_pixels title started)" -gt 10000 ] || fail "Return did not start a game"

# A degree a press: ten presses of Left from straight up (the mouse at
# x 180) turn the cannon as far as the mouse at x 170 does.
move_to 170 300
cannon mouse_100
move_to 180 300
cannon up
press Left Left Left Left Left Left Left Left Left Left
cannon left10
[ "$(diff_pixels mouse_100 left10)" -eq 0 ] || fail "ten presses of Left did not turn the cannon ten degrees"
press Right Right Right Right Right Right Right Right Right Right
cannon back
[ "$(diff_pixels up back)" -eq 0 ] || fail "ten presses of Right did not bring the cannon back"

# Held, the key keeps turning, on to the end stop (where the mouse far left
# aims); the mouse aims again afterwards.
xdotool keydown Left; sleep 2.7; xdotool keyup Left
cannon held
move_to 20 300
cannon mouse_left
[ "$(diff_pixels held mouse_left)" -eq 0 ] || fail "a held Left did not turn on to 178 degrees"
move_to 180 300
cannon mouse_up
[ "$(diff_pixels up mouse_up)" -eq 0 ] || fail "the mouse did not aim after the keys"

shot before_shot
press space
wait_still after_shot
[ "$(diff_pixels before_shot after_shot)" -gt 100 ] || fail "Space fired nothing"

# field_at NAME: the field of the whole screen in field pixels, checked
# crisp, where the window's stage lays it out at the scale it chose.
field_at() {
    eval "$(xdotool getwindowgeometry --shell "$WIN" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    local stage_h=$((HEIGHT - MENU_1)) k=1
    for s in 2 3 4; do [ $((540 * s)) -le "$WIDTH" ] && [ $((461 * s)) -le "$stage_h" ] && k=$s; done
    local fx=$((X + (WIDTH - 540 * k) / 2)) fy=$((Y + MENU_1 + (stage_h - 461 * k) / 2))
    grab "$1_raw" $((442 * k)) $((460 * k)) "$fx" "$fy"
    convert "$WORK/$1_raw.png" -sample 442x460! "$WORK/$1.png"
    convert "$WORK/$1.png" -sample $((442 * k))x$((460 * k))! "$WORK/$1_blocky.png"
    [ "$(diff_pixels "$1_raw" "$1_blocky")" -lt 10 ] || fail "$1: the field is not drawn crisp at scale $k"
    FIELD_SCALE=$k
}
field_at window_1

press F11
sleep 1
field_at full
[ "$WIDTH" -eq 1280 ] && [ "$HEIGHT" -eq 1024 ] || fail "F11 gave a window of $WIDTH x $HEIGHT"
[ "$FIELD_SCALE" -eq 2 ] || fail "full screen drew the field at scale $FIELD_SCALE"
[ "$(diff_pixels window_1 full)" -lt 10 ] || fail "the full-screen field is not the window's enlarged"
press F11
sleep 1
eval "$(xdotool getwindowgeometry --shell "$WIN" | grep -E '^(WIDTH|HEIGHT)=')"
[ "$WIDTH" -eq 540 ] || fail "F11 again did not bring the window back ($WIDTH x $HEIGHT)"

xdotool windowsize "$WIN" 1200 1000
sleep 1
field_at resized
[ "$FIELD_SCALE" -eq 2 ] && [ "$(diff_pixels window_1 resized)" -lt 10 ] ||
    fail "the window of 1200 x 1000 drew the field at scale $FIELD_SCALE, or differently"

press ctrl+minus
eval "$(xdotool getwindowgeometry --shell "$WIN" | grep -E '^(WIDTH|HEIGHT)=')"
[ "$WIDTH" -eq 540 ] && [ "$HEIGHT" -eq $((461 + MENU_1)) ] || fail "Ctrl+- gave $WIDTH x $HEIGHT"
press ctrl+equal
eval "$(xdotool getwindowgeometry --shell "$WIN" | grep -E '^(WIDTH|HEIGHT)=')"
[ "$WIDTH" -eq 1080 ] && [ "$HEIGHT" -eq $((922 + MENU_1)) ] || fail "Ctrl+= gave $WIDTH x $HEIGHT"

close_window
expect_exit 5
start_program "$WORK/app/quibix"
[ "$SCALE" -eq 2 ] && [ "$MENU_H" -eq "$MENU_1" ] || fail "the next start did not keep the size ($WIN_W x $WIN_H)"
close_window
expect_exit 5
echo "PASS"
