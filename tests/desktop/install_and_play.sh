# An installed copy, moved elsewhere as a whole, played by a new player with
# an empty home folder: the high score lands in ~/.local/share/quibix and
# nothing is written under the installed tree.
source "$(dirname "$0")/desktop.bash"
BUILD=$1

DESTDIR="$WORK/dest" cmake --install "$BUILD" --prefix /usr >/dev/null || fail "cmake --install failed"
for f in usr/games/quibix usr/bin/quibix usr/share/quibix/data/shoot.wav usr/share/quibix/Readme.txt \
         usr/share/applications/org.quibix.Quibix.desktop usr/share/metainfo/org.quibix.Quibix.metainfo.xml \
         usr/share/icons/hicolor/16x16/apps/quibix.png usr/share/icons/hicolor/256x256/apps/quibix.png \
         usr/share/icons/hicolor/scalable/apps/quibix.svg usr/share/man/man6/quibix.6.gz; do
    [ -e "$WORK/dest/$f" ] || fail "not installed: $f"
done
[ -z "$(find "$WORK/dest" -iname 'quibix.dat' -o -iname 'quibix.cfg')" ] || fail "a game file was installed"

# Relocatable: the tree works from wherever it is moved.
mv "$WORK/dest/usr" "$WORK/moved"
TREE=$WORK/moved
snapshot() { (cd "$TREE" && find . -printf '%p %s %T@\n' | sort); }
snapshot >"$WORK/tree_before"

mkdir "$WORK/home"
PLAYER=(env -u XDG_DATA_HOME HOME="$WORK/home")
OWN=$WORK/home/.local/share/quibix
"${PLAYER[@]}" "$TREE/bin/quibix" --help | grep -q "$OWN/Quibix.dat" || fail "--help does not name $OWN/Quibix.dat"

# A game that reaches a later screen earns a table row when it is stopped.
start_program "${PLAYER[@]}" QUIBIX_START_SCREEN=1 "$TREE/bin/quibix"
click_at 62 34 # "Start Game"
wait_still started
xdotool key Escape # free the cursor for the menu
sleep 0.3
menu 20 2 # File > "Stop Game"
sleep 1
xdotool type --delay 50 "New Player"
xdotool key Return
sleep 1
menu 20 3 # File > "Exit"
expect_exit 5

[ -f "$OWN/Quibix.dat" ] || fail "no Quibix.dat in $OWN: $(ls -la "$OWN" 2>&1)"
grep -q "New Player" "$OWN/Quibix.dat" || fail "the score's row is not in $OWN/Quibix.dat"
snapshot >"$WORK/tree_after"
diff "$WORK/tree_before" "$WORK/tree_after" >&2 || fail "the game wrote under the installed tree"
echo "PASS"
