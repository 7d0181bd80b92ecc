# A game played in the window is recorded; its high-score row plays it
# again (field uncovered, cannon turning) until a key stops it; the file
# verifies in quibix-sim; --replay refuses a cut file with status 2.
source "$(dirname "$0")/common.bash"
SIM="$(dirname "$1")/../quibix-sim"
export QUIBIX_START_SCREEN=1 # the score goes to the table at once
start_app "$1"
shot title

start_game started
for x in 150 180 210 240; do
    move_to "$x" 300
    xdotool click 1
    wait_still "after_$x"
done
free_cursor
menu 20 2 # File > Stop Game: the name box
sleep 1
xdotool key ctrl+a type "Watcher"
xdotool key Return
sleep 1
replays=("$WORK"/app/data/replays/*.replay)
[ -f "${replays[0]}" ] || fail "the stopped game was not recorded"
grep -q '^name Watcher$' "${replays[0]}" || fail "the replay lacks the name entered"
grep -q '^end stopped ' "${replays[0]}" || fail "the replay does not end stopped"
answer=$(echo "replay ${replays[0]}" | "$SIM" | tail -n 1)
case "$answer" in *'"result":"stopped"'*) ;; *) fail "quibix-sim: $answer" ;; esac

shot table
click_at 100 216 # the first row: Watcher's game
wait_change table watching 50000
[ "$(diff_pixels table watching)" -gt 50000 ] || fail "clicking the row did not show the game"
xdotool key space
wait_like table stopped 2000
[ "$(diff_pixels table stopped)" -lt 2000 ] || fail "a key did not bring the title screen back"
free_cursor
quit_by_menu

# A cut file: one clear line and status 2, no window.
head -c 100 "${replays[0]}" >"$WORK/cut.replay"
status=0
"$WORK/app/quibix" --replay "$WORK/cut.replay" >"$WORK/cut.log" 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "a cut replay gave status $status"
[ "$(wc -l <"$WORK/cut.log")" -eq 1 ] || fail "a cut replay said: $(cat "$WORK/cut.log")"
echo "PASS"
