# Options chosen in the real menus and dialogs are saved; the about box
# shows its picture and holds the game; the read-me goes to the desktop's
# opener. (Chooser rules: ChoosersTest.)
source "$(dirname "$0")/common.bash"
fake_opener
start_app "$1"
OPTIONS_X=250 HELP_X=348 # Options: group size, shape, pieces, skins, save

dialog_click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; sleep 0.3; } # X Y in the last window
settings_bytes() { od -An -tx1 -v "$WORK/app/data/Quibix.cfg" | tr -s ' \n' ' ' | sed 's/^ //;s/ $//'; }

# Picture 0 out, picture 11 in (a sixth tick is needed before it closes).
menu $OPTIONS_X 3
window "Choose 6 Pieces"
dialog_click 28 26
dialog_click 228 94
xdotool key Escape
gone "Choose 6 Pieces" || fail "the piece chooser did not close with six pieces"

menu $OPTIONS_X 4
window "Skins Configuration"
dialog_click 170 34 # the skin list
xdotool key End Return # "Space", the last folder
sleep 0.3
dialog_click 216 264 # OK
gone "Skins Configuration" || fail "OK did not close the skin chooser"

# Groups of 5, shape Random, saved.
menu $OPTIONS_X 1 3
menu $OPTIONS_X 2 6
menu $OPTIONS_X 5
# (Read back at the next start, and the skin's redraw: OptionsTest.)
[ "$(settings_bytes)" = "05 00 05 00 01 00 02 00 03 00 04 00 05 00 0b 00 00 00 07 00 5c 53 70 61 63 65 5c" ] ||
    fail "saved settings are $(settings_bytes)"

# "-Default-" gives the game's own look back: the data folder's pictures.
menu $OPTIONS_X 4
window "Skins Configuration"
dialog_click 170 34
xdotool key Home Return # "-Default-", the first item
sleep 0.3
dialog_click 216 264 # OK
gone "Skins Configuration" || fail "OK refused \"-Default-\""

# The about box during a game shows about.jpg beside "OK".
start_game game
free_cursor
crop game field_before 442 460 0 0
menu $HELP_X 1
window Help
grab box_corner 120 50 $((X + 222)) $((Y + 322))
convert "$WORK/app/data/about.jpg" -crop 120x50+222+322 +repage "$WORK/picture_corner.png"
[ "$(diff_pixels box_corner picture_corner)" -lt 300 ] || fail "the about box does not show about.jpg"
# A click on the field behind the box fires nothing.
click_at 20 300
sleep 1
xdotool mousemove $((X + 382)) $((Y + 336)) click 1 # "OK"
gone Help || fail "\"OK\" left the about box open"
wait_still after_box
crop after_box field_after 442 460 0 0
[ "$(diff_pixels field_before field_after)" -lt 50 ] || fail "the game moved behind the about box"

# "Readme && Warranty" goes to the opener, whose failure is told in a box.
echo 3 >"$WORK/opener_status"
menu $HELP_X 2
window Readme.txt
[ "$(cat "$WORK/opened")" = "$WORK/app/Readme.txt" ] || fail "the opener got '$(cat "$WORK/opened")'"
close_window
expect_exit 5
echo "PASS"
