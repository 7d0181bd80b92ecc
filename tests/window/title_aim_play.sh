# The title screen, the menus reaching the game, a shot whose extra clicks
# are dropped, and File > "Exit". (Aiming and the held cursor: scale_two.)
source "$(dirname "$0")/common.bash"
start_app "$1"

shot title
[ "$(convert "$WORK/title.png" -crop 442x460+0+0 -format %k info:)" -gt 200 ] || fail "the title screen looks blank"

# Unchecking "FX Sound" must clear its mark: Qt's own toggle must not undo the game's.
sound_popup() { # NAME: the Sound menu, open
    xdotool mousemove "$(sx 107)" $((WIN_Y + MENU_H / 2)) click 1
    sleep 0.5
    grab "$1" 160 60 "$(sx 90)" "$(sy 0)"
}
sound_popup sound_before
xdotool key Down Down Return
sleep 0.5
sound_popup sound_after
xdotool key Escape Escape
wait_like title menu_closed 100
[ "$(diff_pixels sound_before sound_after)" -gt 10 ] || fail "\"FX Sound\" kept its check mark"

start_game started
[ "$(diff_pixels title started)" -gt 50000 ] || fail "\"Start Game\" did not uncover the play field"

# Three quick clicks on a steep shot: queued X clicks must not fire again
# after it lands, so the piece shown as next is the one now loaded.
move_to 200 250
shot pieces
crop pieces next_before 13 13 404 422
xdotool click --repeat 3 --delay 120 1
wait_still after
crop after loaded_after 13 13 215 414
[ "$(diff_pixels next_before loaded_after)" -lt 20 ] || fail "a click during the shot fired again"

free_cursor
quit_by_menu
echo "PASS"
