# A short game: shots change the board, clicks made during a shot are
# dropped, "Stop Game" brings the title screen back, File > "Exit" ends the
# program cleanly.
source "$(dirname "$0")/common.bash"
start_app "$1"

shot title
crop title title_logo 442 110 0 60

click_at 62 34 # "Start Game"
wait_still before
crop before board_before 442 330 0 0

# Steep shots (a flat one climbs for seconds), each fired with three quick
# clicks: the two made while it flies are thrown away, so the piece shown
# as the next one before becomes the loaded one. (The middle of a piece
# sprite is compared, clear of its corners.)
for x in 140 200 235; do
    move_to "$x" 250
    shot pieces
    crop pieces next_before 13 13 404 422
    xdotool click --repeat 3 --delay 120 1
    wait_still after_$x
    crop after_$x loaded_after 13 13 215 414
    [ "$(diff_pixels next_before loaded_after)" -lt 20 ] ||
        fail "a click made during the shot at x $x fired another shot"
done

crop after_235 board_after 442 330 0 0
[ "$(diff_pixels board_before board_after)" -gt 300 ] || fail "three shots left the board unchanged"

# Free the cursor, then File > "Stop Game": the title screen is back.
xdotool key Escape
sleep 0.3
menu 20 2
wait_still stopped
crop stopped stopped_logo 442 110 0 60
[ "$(diff_pixels title_logo stopped_logo)" -lt 500 ] || fail "\"Stop Game\" did not show the title screen"

# File > "Exit" ends the program at once, with status 0.
menu 20 3
expect_exit 5
echo "PASS"
