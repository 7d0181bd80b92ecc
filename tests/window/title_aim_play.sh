# The title screen, the menus reaching the game, aiming, the cursor held in
# the field until Escape, shots (clicks made while one flies are dropped)
# and File > "Exit". ("Stop Game" is played in desktop/install_and_play.)
source "$(dirname "$0")/common.bash"
start_app "$1"

# Title screen: a cover picture with its buttons and table, not a blank area.
shot title
[ "$(convert "$WORK/title.png" -crop 442x460+0+0 -format %k info:)" -gt 200 ] || fail "the title screen looks blank"

# The game owns the check marks: "FX Sound" loses its mark (Qt's own toggle
# must not add to the game's).
sound_popup() { # NAME: the Sound menu, open
    xdotool mousemove "$(sx 107)" $((WIN_Y + MENU_H / 2)) click 1
    sleep 0.5
    grab "$1" 160 60 "$(sx 90)" "$(sy 0)"
}
sound_popup sound_before
xdotool key Down Down Return # "FX Sound", under "Music"
sleep 0.5
sound_popup sound_after
xdotool key Escape Escape
[ "$(diff_pixels sound_before sound_after)" -gt 10 ] || fail "\"FX Sound\" kept its check mark"

# "Start Game" uncovers the play field, and the cannon follows the mouse.
click_at 62 34
move_to 100 200
wait_still aim_left
move_to 340 200
wait_still aim_right
[ "$(diff_pixels title aim_left)" -gt 50000 ] || fail "\"Start Game\" did not uncover the play field"
crop aim_left cannon_left 190 136 127 320
crop aim_right cannon_right 190 136 127 320
[ "$(diff_pixels cannon_left cannon_right)" -gt 200 ] || fail "the cannon did not turn"

# In play the cursor is held in the field (its last pixel is 441, 459).
read -r mx my < <(push_mouse 500 520)
[ "$mx" -le 441 ] && [ "$my" -le 459 ] || fail "the cursor left the play field ($mx, $my)"
# Escape frees it; a second Escape holds it again.
for want in free held; do
    move_to 200 200
    xdotool key Escape
    sleep 0.5
    read -r mx _ < <(push_mouse 500 200)
    [ "$([ "$mx" -ge 442 ] && echo free || echo held)" = "$want" ] || fail "after Escape the cursor is not $want (x $mx)"
done

# Steep shots (a flat one climbs for seconds), each fired with three quick
# clicks: the shot is fired and the two clicks made while it flies are
# dropped, so the piece shown as the next one becomes the loaded one (the
# middle of its sprite compared).
for x in 140 200 235; do
    move_to "$x" 250
    shot pieces
    crop pieces next_before 13 13 404 422
    xdotool click --repeat 3 --delay 120 1
    wait_still "after_$x"
    crop "after_$x" loaded_after 13 13 215 414
    [ "$(diff_pixels next_before loaded_after)" -lt 20 ] || fail "a click during the shot at x $x fired again"
done

xdotool key Escape # free the cursor for the menu bar
sleep 0.3
menu 20 3 # File > "Exit"
expect_exit 5
echo "PASS"
