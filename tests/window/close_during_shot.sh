# Closing the window while a flat shot flies: the rest of the animation is
# dropped and the program ends within a second, status 0, with its files
# as they were (the rules had applied the turn; nothing is saved mid-game).
source "$(dirname "$0")/common.bash"
start_app "$1"

# The score and settings files, written beside the data files here.
files() { find "$WORK/app" -name 'Quibix.*' -type f -exec md5sum {} + | sort; }

click_at 62 34 # "Start Game"
sleep 1.5
before=$(files)
# Aimed far left, about 2 degrees off the wall: the shot zigzags for seconds.
click_at 20 250
sleep 0.8
kill -0 "$APP_PID" || fail "the program ended during the shot"
close_window
expect_exit 1
[ "$(files)" = "$before" ] || fail "a file changed during the close"
echo "PASS"
