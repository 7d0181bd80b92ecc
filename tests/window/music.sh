# Music and effects as heard, recorded by SDL's disk audio driver: music
# within 2 s of "Start Game" and gone once unchecked, and shots heard
# without a sound font. (Its log lines: MusicDeviceTest.)
source "$(dirname "$0")/common.bash"

RATE=176400 # bytes per second: 44.1 kHz, 16-bit stereo
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/audio.raw"

recorded() { echo $(($(stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null || echo 0) / 4 * 4)); } # whole frames
# expect loud|silent FROM SECONDS WHAT: the peak of the SECONDS recorded
# from byte FROM on is above 0.02 or below 0.002 in sox's 0..1 scale.
expect() {
    local length peak
    length=$(awk -v s="$3" -v r="$RATE" 'BEGIN { printf "%d", s * r / 4 * 4 }')
    timeout 10 bash -c "while [ \$(stat -c %s '$SDL_DISKAUDIOFILE') -lt $(($2 + length)) ]; do sleep 0.1; done" ||
        fail "the audio recording stalled"
    peak=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$SDL_DISKAUDIOFILE" -n trim "$(($2 / 4))s" "$((length / 4))s" \
        stat 2>&1 | awk '/^Maximum amplitude/ { print $3 }')
    awk -v p="$peak" -v want="$1" 'BEGIN { exit !(want == "loud" ? p > 0.02 : p < 0.002) }' ||
        fail "$4 (peak $peak, expected $1)"
}

start_app "$1"
sleep 1.5 # the welcome sound fades
click_at 62 34 # "Start Game"
expect loud "$(recorded)" 2 "no music within 2 s of \"Start Game\""
free_cursor
menu 107 1 # Sound > "Music", off
# Half a second on, the next status tick must not restart it.
expect silent $(($(recorded) + RATE / 2)) 1.5 "music still sounds after unchecking \"Music\""
quit_by_menu

# No sound font: the music cannot open, yet a shot is still heard.
rm -f "$SDL_DISKAUDIOFILE"
export SDL_SOUNDFONTS=$WORK/none.sf2 QUIBIX_SOUNDFONT_DIRS=$WORK
start_app "$1"
start_game started
click_at 221 150
expect loud "$(recorded)" 1 "no shot heard without a sound font"
close_window
expect_exit 5
echo "PASS"
