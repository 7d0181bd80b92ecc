# An installed copy, moved elsewhere as a whole, played by a new player with
# an empty home folder: the high score lands in ~/.local/share/quibix.
# (Nothing written under an installed tree: UserFilesTest.)
source "$(dirname "$0")/../window/common.bash"

DESTDIR="$WORK/dest" cmake --install "$1" --prefix /usr >/dev/null || fail "cmake --install failed"

# Relocatable: the tree works from wherever it is moved. (What gets installed: package_check.)
TREE=$WORK/moved
mv "$WORK/dest/usr" "$TREE"
mkdir "$WORK/home"
PLAYER=(env -u XDG_DATA_HOME HOME="$WORK/home")
OWN=$WORK/home/.local/share/quibix

# A game that reaches a later screen earns a table row when it is stopped.
start_program "${PLAYER[@]}" QUIBIX_START_SCREEN=1 "$TREE/games/quibix"
start_game started
free_cursor
menu 20 2 # File > "Stop Game"
sleep 1
xdotool type --delay 50 "New Player"
xdotool key Return
sleep 1
quit_by_menu

grep -q "New Player" "$OWN/Quibix.dat" || fail "no row for the new player in $OWN/Quibix.dat"
# The moved tree still finds its sound library.
! grep -q "sound library" "$WORK/app.log" || fail "$(cat "$WORK/app.log")"
echo "PASS"
