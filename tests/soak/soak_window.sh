# Random play in the real window, meant for the sanitizer build: clicks,
# rapid clicks during shots, every menu item, Escape, the about box and
# both choosers, and now and then closing the window mid-shot (the program
# is then started again). Fails on any sanitizer report, an exit status
# other than 0, or a window that does not answer for 20 s.
# Usage: soak_window.sh PATH-TO-QUIBIX   (SOAK_SECONDS, default 30)
source "$(dirname "$0")/../window/common.bash"
SOAK=$(cd "$(dirname "$0")" && pwd)
seconds=${SOAK_SECONDS:-30}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$SOAK/../lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export PATH="$WORK/bin:$PATH"
mkdir -p "$WORK/bin" # the read-me opener: a stand-in that does nothing
printf '#!/bin/sh\nexit 0\n' >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
cc -O1 -o "$WORK/ping_window" "$SOAK/ping_window.c" -lX11 || fail "cannot build ping_window"

program=$1
sanitizer_report() { grep -E 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$WORK/app.log" "$WORK"/run-*.log 2>/dev/null | head -n 5 || true; }
check() {
    local report
    report=$(sanitizer_report)
    [ -z "$report" ] || { cat "$WORK/app.log" >&2; fail "sanitizer report: $report"; }
    if ! kill -0 "$APP_PID" 2>/dev/null; then # File > Exit: it must have ended well
        expect_exit 1
        ends=$((ends + 1))
        cp "$WORK/app.log" "$WORK/run-exit-$ends.log"
        restart
    fi
    "$WORK/ping_window" "$WIN" 20 || fail "the window did not answer for 20 s"
}
# Any dialog left open (a message, a chooser, the about box) goes away.
dismiss() {
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        [ "$id" = "$WIN" ] && continue
        xdotool windowfocus "$id" key Escape 2>/dev/null || true
    done
    sleep 0.2
}
restart() {
    rm -rf "$WORK/app"
    start_app "$program"
}

start_app "$program"
end=$((SECONDS + seconds))
actions=0 shots=0 closes=0 menus=0 ends=0
# title x, number of items of each menu: File, Level, Sound, Background, Options, Help
titles=(20 60 107 170 250 303) items=(3 2 2 1 5 1)
while [ $SECONDS -lt $end ]; do
    case $((RANDOM % 10)) in
    0 | 1 | 2) click_at 62 34; sleep 0.5 # "Start Game" on the title screen
       click_at $((RANDOM % 440)) $((RANDOM % 300)); shots=$((shots + 1)) ;;
    3) for _ in 1 2 3 4 5; do xdotool click 1; sleep 0.05; done; shots=$((shots + 1)) ;;
    4) move_to $((RANDOM % 440)) $((RANDOM % 460)) ;;
    5) xdotool key Escape ;;
    6 | 7) m=$((RANDOM % 6)); menu "${titles[$m]}" $((1 + RANDOM % ${items[$m]})); menus=$((menus + 1))
       sleep 0.5 ;;
    8) dismiss ;;
    9) if [ $((RANDOM % 3)) -eq 0 ]; then
           click_at 62 34; sleep 0.5; click_at 20 250; sleep 0.3
           close_window
           expect_exit 10
           cp "$WORK/app.log" "$WORK/run-$closes.log"
           closes=$((closes + 1))
           restart
       fi ;;
    esac
    actions=$((actions + 1))
    dismiss
    check
done
dismiss
close_window
expect_exit 20
cp "$WORK/app.log" "$WORK/run-last.log"
report=$(sanitizer_report)
[ -z "$report" ] || fail "sanitizer report: $report"
echo "PASS: ${seconds}s, $actions actions, $shots shot clicks, $menus menu picks, $closes closes mid-shot, $ends exits"
