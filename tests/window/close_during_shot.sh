# Closing the window while a shot flies: the turn finishes, then the program
# ends cleanly (status 0), instead of unloading under the running turn.
source "$(dirname "$0")/common.bash"
start_app "$1"

click_at 62 34 # "Start Game"
sleep 1.5
# A flat shot climbs between the walls for seconds.
click_at 20 250
sleep 0.8
kill -0 "$APP_PID" || fail "the program ended during the shot"
close_window
sleep 0.3
kill -0 "$APP_PID" || fail "the close cut the running shot short"
expect_exit 30
echo "PASS"
