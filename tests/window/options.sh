# The Options menu in the real window: both choosers, the seventh-piece and
# too-few-pieces messages, a new skin on field, band and cover, saved
# settings found again after a restart, and Escape on the title screen
# trapping nobody.
source "$(dirname "$0")/common.bash"
start_app "$1"

OPTIONS_X=250

# dialog NAME: waits for the window NAME and sets DLG_X DLG_Y DLG_W DLG_H.
dialog() {
    local id X Y WIDTH HEIGHT
    id=$(timeout 5 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) || true
    [ -n "$id" ] || fail "no window \"$1\""
    eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    DLG_X=$X DLG_Y=$Y DLG_W=$WIDTH DLG_H=$HEIGHT
}
gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
dialog_click() { xdotool mousemove $((DLG_X + $1)) $((DLG_Y + $2)) click 1; sleep 0.3; }
dialog_shot() { import -window root -crop "${DLG_W}x${DLG_H}+$DLG_X+$DLG_Y" +repage "$WORK/$1.png"; }

# expect_message TITLE TEXT: a message box TITLE saying exactly TEXT (its
# text is selectable; copied and read back), closed with OK.
expect_message() {
    dialog "$1"
    dialog_click $((DLG_W / 2)) 17
    xdotool key ctrl+a ctrl+c
    sleep 0.2
    local said
    said=$(xclip -o -selection clipboard 2>/dev/null || true)
    [ "$said" = "$2" ] || fail "message \"$1\" says \"$said\", expected \"$2\""
    xdotool key Return
    sleep 0.3
}

# options_submenu ITEM CHOICE: Options > ITEM-th item > CHOICE-th entry.
options_submenu() {
    click_at $OPTIONS_X $((-MENU_H / 2))
    sleep 0.3
    local i
    for ((i = 0; i < $1; i++)); do xdotool key Down; done
    xdotool key Right
    for ((i = 1; i < $2; i++)); do xdotool key Down; done
    xdotool key Return
    sleep 0.3
}

settings_bytes() { od -An -tx1 -v "$WORK/app/data/Quibix.cfg" | tr -s ' \n' ' ' | sed 's/^ //;s/ $//'; }

# Escape on the title screen hides nothing and holds the pointer nowhere.
shot title
crop title cover_before 442 110 0 60
xdotool key Escape Escape
sleep 0.3
read -r px _ < <(push_mouse 700 200)
[ "$px" -gt 600 ] || fail "Escape on the title screen held the pointer (x $px)"

# The piece chooser: six ticked; a seventh tick is refused with the message.
menu $OPTIONS_X 3
dialog "Choose 6 Pieces"
dialog_shot pieces_dialog
dialog_click 28 94 # picture 6
expect_message "Error choosing pieces" "You can only choose 6 pieces. Uncheck one and try again."
dialog "Choose 6 Pieces"
dialog_shot pieces_after_seventh
crop pieces_dialog box6_before 9 9 24 90
crop pieces_after_seventh box6_after 9 9 24 90
[ "$(diff_pixels box6_before box6_after)" -lt 5 ] || fail "the refused seventh box stayed ticked"
# Five ticked: closing is refused; with six it closes.
dialog_click 28 26 # picture 0 off
xdotool key Escape
expect_message "Choose pieces" "You have to choose 6 pieces"
dialog "Choose 6 Pieces"
dialog_click 228 94 # picture 11 on
xdotool key Escape
sleep 0.3
gone "Choose 6 Pieces" || fail "the piece chooser did not close with six pieces"

# A game, then another skin: field and band change at once.
click_at 62 34
wait_still playing
crop playing field_before 120 60 10 330
crop playing band_before 90 50 446 290
xdotool key Escape
sleep 0.2
menu $OPTIONS_X 3 # "Choose Skins" ("Choose Pieces", disabled in a game, is skipped)
dialog "Skins Configuration"
dialog_shot skins_dialog
dialog_click 170 34 # the skin list
xdotool key End Return # "Space", the last folder
sleep 0.3
dialog_click 216 264 # OK
gone "Skins Configuration" || fail "OK did not close the skin chooser"
wait_still new_skin
crop new_skin field_after 120 60 10 330
crop new_skin band_after 90 50 446 290
[ "$(diff_pixels field_before field_after)" -gt 2000 ] || fail "the field kept its background"
[ "$(diff_pixels band_before band_after)" -gt 1000 ] || fail "the band did not change"

# Groups of 5, shape Random, saved byte for byte.
options_submenu 1 3
options_submenu 2 6
menu $OPTIONS_X 4 # "Save Settings"
sleep 0.3
saved="05 00 05 00 01 00 02 00 03 00 04 00 05 00 0b 00 00 00 07 00 5c 53 70 61 63 65 5c"
[ "$(settings_bytes)" = "$saved" ] || fail "saved settings are $(settings_bytes)"

# "Stop Game": the cover is the new skin's.
menu 20 2
wait_still stopped
crop stopped cover_after 442 110 0 60
[ "$(diff_pixels cover_before cover_after)" -gt 1000 ] || fail "the cover did not change with the skin"
menu 20 3
expect_exit 5

# Started again from its folder: the skin is back, and saving at once
# writes the same options, so group size, shape and pieces came back too.
"$WORK/app/quibix" >>"$WORK/app.log" 2>&1 &
APP_PID=$!
WIN=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quibix$' | head -n 1) || fail "no window after the restart"
sleep 0.5
shot restarted
crop restarted cover_restarted 442 110 0 60
[ "$(diff_pixels cover_after cover_restarted)" -lt 200 ] || fail "the saved skin was not applied"
: >"$WORK/app/data/Quibix.cfg"
menu $OPTIONS_X 5
sleep 0.3
[ "$(settings_bytes)" = "$saved" ] || fail "restored options saved as $(settings_bytes)"

# Escape twice on the title screen, then "Start Game" starts a game.
xdotool key Escape Escape
sleep 0.2
click_at 62 34
wait_still second_game
crop second_game logo_now 442 110 0 60
[ "$(diff_pixels cover_restarted logo_now)" -gt 1000 ] || fail "\"Start Game\" after Escape did not start"

xdotool key Escape # the game holds the pointer until Escape
sleep 0.2
menu 20 3
expect_exit 5
echo "PASS"
