# The cannon follows the mouse at scale 1, and at scale 2 the window is twice
# the size, crisp, and aims and fires the same. (Too large a scale: WindowScaleTest.)
source "$(dirname "$0")/../window/common.bash"
cp -r "$(dirname "$1")" "$WORK/app"

# play_and_aim SCALE-OPTION...: outline_SCALE.png, where aiming left and
# right differ: the cannon's outline (the random pieces blacked out).
play_and_aim() {
    start_program "$WORK/app/quibix" "$@"
    start_game "started_$SCALE"
    local side
    for side in 60 380; do
        move_to "$side" 300
        wait_still "aim_$side"
        convert "$WORK/aim_$side.png" -crop 442x130+0+330 +repage -fill black \
            -draw "rectangle 205,74 237,106" -draw "rectangle 394,82 426,114" "$WORK/aim_$side.png"
    done
    convert "$WORK/aim_60.png" "$WORK/aim_380.png" -compose difference -composite \
        -colorspace gray -threshold 4% "$WORK/outline_$SCALE.png"
}

play_and_aim --scale 1
[ "$SCALE" -eq 1 ] || fail "--scale 1 drew the window at $SCALE"
MENU_1=$MENU_H
close_window
expect_exit 5

play_and_aim --scale 2
[ "$SCALE" -eq 2 ] && [ "$WIN_W" -eq 1080 ] || fail "--scale 2 gave a window of $WIN_W x $WIN_H"
[ "$WIN_H" -eq $((2 * (461 + MENU_1))) ] || fail "--scale 2: height $WIN_H, not twice $((461 + MENU_1))"
[ "$(convert "$WORK/outline_2.png" -format '%[fx:int(mean*w*h)]' info:)" -gt 300 ] &&
    [ "$(diff_pixels outline_1 outline_2)" -lt 40 ] || fail "at scale 2 the cannon does not turn as at scale 1"

# Crisp: every field pixel is a 2 x 2 square of one colour.
grab raw 200 200 $((WIN_X + 200)) $((WIN_Y + MENU_H + 100))
convert "$WORK/raw.png" -sample 100x100 -sample 200x200 "$WORK/blocky.png"
[ "$(diff_pixels raw blocky)" -lt 10 ] || fail "the field is not drawn with square, crisp pixels at scale 2"

# In play the cursor is held in the field (its last pixel is 441, 459), scaled.
xdotool mousemove "$(sx 600)" "$(sy 520)"
sleep 0.5
eval "$(xdotool getmouselocation --shell | grep -E '^(X|Y)=')"
[ $((X - WIN_X)) -lt $((2 * 442)) ] && [ $((Y - WIN_Y - MENU_H)) -lt $((2 * 460)) ] ||
    fail "the cursor left the field at scale 2 ($((X - WIN_X)), $((Y - WIN_Y - MENU_H)))"

# A click at the scaled position fires: the board changes.
shot board_before
xdotool click 1
wait_still board_after
[ "$(diff_pixels board_before board_after)" -gt 100 ] || fail "the click at scale 2 fired nothing"
close_window
expect_exit 5
echo "PASS"
