# Music and effects as heard: SDL's disk audio driver records what the game
# plays. "Start Game" has music sounding within two seconds; unchecking
# "Music" silences it at once. Without any sound font the effects still
# play, the music stays silent, and the log says why once.
source "$(dirname "$0")/common.bash"

RATE=176400 # bytes per second: 44.1 kHz, 16-bit stereo
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/audio.raw"

# Bytes recorded so far (whole frames).
recorded() { echo $(($(stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null || echo 0) / 4 * 4)); }
# peak FROM SECONDS: the loudest sample of the SECONDS (tenths allowed, as
# "1.5") recorded from byte FROM on, in sox's 0..1 scale, once recorded.
peak() {
    local length end
    length=$(awk -v s="$2" -v r="$RATE" 'BEGIN { printf "%d", s * r / 4 * 4 }')
    end=$(($1 + length))
    timeout 10 bash -c "while [ \$((\$(stat -c %s '$SDL_DISKAUDIOFILE') / 4 * 4)) -lt $end ]; do sleep 0.1; done" ||
        fail "the audio recording stalled"
    sox -t raw -r 44100 -e signed -b 16 -c 2 "$SDL_DISKAUDIOFILE" -n trim "$(($1 / 4))s" "$((length / 4))s" stat 2>&1 |
        awk '/^Maximum amplitude/ { print $3 }'
}
loud() { awk -v p="$1" 'BEGIN { exit !(p > 0.02) }'; }
silent() { awk -v p="$1" 'BEGIN { exit !(p < 0.002) }'; }

# --- With the sound font ---------------------------------------------------
start_app "$1"
sleep 1.5 # the welcome fades
click_at 62 34 # "Start Game"
from=$(recorded)
level=$(peak "$from" 2)
loud "$level" || fail "no music within 2 s of \"Start Game\" (peak $level)"
echo "music after \"Start Game\": peak $level"

xdotool key Escape # free the cursor for the menu
sleep 0.2
menu 107 1 # Sound > "Music", off
from=$(recorded)
level=$(peak $((from + RATE / 2)) 1.5) # the next status tick must not restart it
silent "$level" || fail "music still sounds after unchecking \"Music\" (peak $level)"
echo "after unchecking \"Music\": peak $level"
menu 20 3 # File > "Exit"
expect_exit 5
grep -q "sound font\|synthesiser\|damaged" "$WORK/app.log" && { cat "$WORK/app.log" >&2; fail "music complained"; }

# --- Without any sound font ------------------------------------------------
rm -rf "$WORK/app" "$SDL_DISKAUDIOFILE"
mkdir -p "$WORK/no-fonts"
export SDL_SOUNDFONTS="$WORK/no-fonts/none.sf2" QUIBIX_SOUNDFONT_DIRS="$WORK/no-fonts"
start_app "$1"
level=$(peak 0 1)
loud "$level" || fail "no welcome sound without a sound font (peak $level)"
sleep 0.5
click_at 62 34 # "Start Game"
from=$(recorded)
level=$(peak $((from + RATE / 2)) 2)
silent "$level" || fail "something sounds without a sound font (peak $level)"
click_at 221 150 # a shot
from=$(recorded)
level=$(peak "$from" 1)
loud "$level" || fail "the shot was not heard without a sound font (peak $level)"
echo "without a sound font: the shot peaks at $level"
[ "$(grep -c "sound font" "$WORK/app.log")" -eq 1 ] || { cat "$WORK/app.log" >&2; fail "the missing sound font was not told once"; }
close_window
expect_exit 5
echo "PASS"
