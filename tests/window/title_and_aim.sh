# The title screen, starting a game, aiming, Escape freeing the confined
# cursor, and the close box ending the program cleanly.
source "$(dirname "$0")/common.bash"
start_app "$1"

# Title screen: a cover picture with its buttons and table, not a blank area.
shot title
crop title title_cover 442 460 0 0
[ "$(convert "$WORK/title_cover.png" -format %k info:)" -gt 200 ] || fail "the title screen looks blank"

# The menus reach the game, and the game owns the check marks: "Hard"
# brings the Hard cover, "FX Sound" loses its mark (Qt's own toggle must not
# add to the game's).
crop title cover_easy 442 110 0 60
menu 60 2 # Level > "Hard"
wait_still hard
crop hard cover_hard 442 110 0 60
[ "$(diff_pixels cover_easy cover_hard)" -gt 1000 ] || fail "\"Hard\" did not change the cover"

sound_popup() { # the Sound menu, open, as NAME.png
    click_at 107 $((-MENU_H / 2))
    sleep 0.5
    shot "$1"
    crop "$1" "$1" 160 60 90 0
}
sound_popup sound_before
xdotool key Down Down Return # "FX Sound", under "Music"
sleep 0.5
sound_popup sound_after
xdotool key Escape
sleep 0.3
[ "$(diff_pixels sound_before sound_after)" -gt 10 ] || fail "\"FX Sound\" kept its check mark"
xdotool key Escape
sleep 0.3

# "Start Game" uncovers the play field.
click_at 62 34
wait_still started
crop started started_field 442 460 0 0
[ "$(diff_pixels title_cover started_field)" -gt 50000 ] || fail "\"Start Game\" did not uncover the play field"

# The cannon follows the mouse across the field.
move_to 100 200
wait_still aim_left
move_to 340 200
wait_still aim_right
crop aim_left cannon_left 190 136 127 320
crop aim_right cannon_right 190 136 127 320
[ "$(diff_pixels cannon_left cannon_right)" -gt 200 ] || fail "the cannon did not turn"

# In play the cursor is confined to the field: it is pulled back inside.
read -r mx my < <(push_mouse 500 200)
[ "$mx" -le 441 ] || fail "the cursor left the play field (x $mx)"
read -r mx my < <(push_mouse 200 520)
[ "$my" -le 459 ] || fail "the cursor left the play field (y $my)"

# Escape over the field frees it; a second Escape holds it again.
escape_and_push() {
    move_to 200 200
    xdotool key Escape
    sleep 0.5
    read -r mx my < <(push_mouse 500 200)
}
escape_and_push
[ "$mx" -ge 442 ] || fail "after Escape the cursor is still held (x $mx)"
escape_and_push
[ "$mx" -le 441 ] || fail "a second Escape did not confine the cursor (x $mx)"

# The close box ends the program at once, with status 0.
close_window
expect_exit 5
echo "PASS"
