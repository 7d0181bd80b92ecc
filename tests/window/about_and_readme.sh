# The Help menu: the about box opened during a game shows its picture and
# holds the game until "OK"; the read-me goes to the desktop's opener, and
# its failure is told. (A damaged picture gives a plain box: HelpMenuTest.)
source "$(dirname "$0")/common.bash"
fake_opener
start_app "$1"
HELP_X=303 # the "Help" title in the menu bar

# open_about NAME: Help > "About Quibix...", the 420 x 380 box "Help" and
# the corner beside its "OK" as NAME.png.
open_about() {
    menu $HELP_X 1
    window Help
    [ "${WIDTH}x${HEIGHT}" = 420x380 ] || fail "about box of ${WIDTH}x${HEIGHT}, expected 420x380"
    grab "$1" 120 50 $((X + 222)) $((Y + 322))
}
# That corner shows the picture itself (the pieces drawn there).
convert "$WORK/app/data/about.jpg" -crop 120x50+222+322 +repage "$WORK/picture_corner.png"

# During a game, with the cursor freed to reach the menu.
click_at 62 34 # "Start Game"
wait_still game
xdotool key Escape
sleep 0.3
crop game field_before 442 460 0 0
open_about box_corner
[ "$(diff_pixels box_corner picture_corner)" -lt 300 ] || fail "the about box does not show about.jpg"
# A click on the field behind the box fires nothing.
click_at 20 300
sleep 1
xdotool mousemove $((X + 382)) $((Y + 336)) click 1 # "OK"
gone Help || fail "\"OK\" left the about box open"
wait_still after_box
crop after_box field_after 442 460 0 0
[ "$(diff_pixels field_before field_after)" -lt 50 ] || fail "the game moved behind the about box"

# "Readme && Warranty" hands the program's Readme.txt to the opener ...
menu $HELP_X 2
for ((tries = 0; tries < 25; tries++)); do [ -s "$WORK/opened" ] && break; sleep 0.2; done
[ "$(cat "$WORK/opened" 2>/dev/null)" = "$WORK/app/Readme.txt" ] ||
    fail "the opener got '$(cat "$WORK/opened" 2>/dev/null)'"
# ... and says so when the opener fails.
echo 3 >"$WORK/opener_status"
menu $HELP_X 2
window Readme.txt
close_window
expect_exit 5
echo "PASS"
