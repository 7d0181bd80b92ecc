# Random play in the real window for the sanitizer build; fails on an exit
# status other than 0, a sanitizer report, or a window silent for 20 s.
# Usage: soak_window.sh PATH-TO-QUIBIX   (SOAK_SECONDS, default 30)
source "$(dirname "$0")/../window/common.bash"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$HERE/../lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
fake_opener

# restart SECONDS: the program ended well in that time, its log kept; start again.
restart() {
    expect_exit "$1"
    runs=$((runs + 1))
    cp "$WORK/app.log" "$WORK/run-$runs.log"
    start_app "$PROGRAM"
}
dismiss() { # any dialog left open goes away
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        [ "$id" = "$WIN" ] || xdotool windowfocus "$id" key Escape 2>/dev/null || true
    done
    sleep 0.2
}

PROGRAM=$1 runs=0
start_app "$PROGRAM"
end=$((SECONDS + ${SOAK_SECONDS:-30}))
# title x, number of items of each menu: File, Level, Sound, Background, Options, Help
titles=(20 60 107 170 250 303) items=(3 2 2 1 5 1)
while [ $SECONDS -lt $end ]; do
    case $((RANDOM % 9)) in
    0 | 1 | 2) click_at 62 34; sleep 0.5 # "Start Game" on the title screen
       click_at $((RANDOM % 440)) $((RANDOM % 300)) ;;
    3) xdotool click --repeat 5 --delay 50 1 ;;
    4) move_to $((RANDOM % 440)) $((RANDOM % 460)) ;;
    5) xdotool key Escape ;;
    6 | 7) m=$((RANDOM % 6)); menu "${titles[$m]}" $((1 + RANDOM % ${items[$m]})); sleep 0.5 ;;
    8) if [ $((RANDOM % 3)) -eq 0 ]; then
           click_at 62 34; sleep 0.5; click_at 20 250; sleep 0.3
           close_window
           restart 10
       fi ;;
    esac
    dismiss
    kill -0 "$APP_PID" 2>/dev/null || restart 1 # after File > "Exit"
    x11 ping "$WIN" 20 || fail "the window did not answer for 20 s"
done
dismiss
close_window
expect_exit 20
cp "$WORK/app.log" "$WORK/run-last.log"
! grep -E 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$WORK"/run-*.log || fail "sanitizer report"
echo "PASS: $runs runs ended well"
