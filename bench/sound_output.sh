#!/bin/bash
# What a listener hears: the player plays into a private PulseAudio server's null sink under
# Xvfb while parec records the sink's monitor, and the recordings are measured.
#
#   bench/sound_output.sh [--bin DIR] [--runs N] [--cpu-span S]
#
#   --bin DIR      directory holding Lumo and its modules (default: build/bin beside this script)
#   --runs N       runs of each start measurement; every run is printed (default 3)
#   --cpu-span S   seconds over which the CPU share is measured (default 20)
#
# Prints, per line:
#   start fresh|handoff FORMAT  loss_ms gap_ms   the sound missing at the start of the first of
#                                              two files (what was heard against the files'
#                                              6.06 s), and the longest silence between them
#   join FORMAT gap_ms                          the longest silence where two files of one sine
#                                              meet, for WAVE, FLAC, Opus and LAME MP3 pairs
#   restart seconds                             from the server's return until sound is
#                                              recorded (an upper bound: the recorder needs a
#                                              moment itself), and until the player's stream is
#                                              back on the server
#   cpu share                                   the player's share of a core while it plays a
#                                              30 s MP3 alone (analyzer off)
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
bin="$here/../build/bin"
runs=3 cpuspan=20
while [ $# -gt 0 ]; do
    case "$1" in
    --bin) bin="$2"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --cpu-span) cpuspan="$2"; shift 2 ;;
    --inner) inner="$2"; shift 2 ;;
    -h|--help) sed -n '2,22p' "$0"; exit 0 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done

if [ -z "${inner:-}" ]; then
    work="$(mktemp -d)"
    trap 'pkill -f "$work/" 2>/dev/null || true; rm -rf "$work"' EXIT
    mkdir -p "$work/app" "$work/media"
    cp "$bin/Lumo" "$bin"/lib*.so "$work/app/"
    m="$work/media"
    ff() { ffmpeg -loglevel error -y "$@"; }
    # One 440 Hz sine, cut in two at 3.03 s, which falls mid-cycle.
    ff -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=6.06" -af volume=0.5 -ac 2 \
        -c:a pcm_s16le "$m/whole.wav"
    ff -i "$m/whole.wav" -af atrim=end_sample=133623 "$m/a.wav"
    ff -i "$m/whole.wav" -af atrim=start_sample=133623 "$m/b.wav"
    for part in a b; do
        ff -i "$m/$part.wav" "$m/$part.flac"
        ff -i "$m/$part.wav" -c:a libopus -b:a 128k "$m/$part.opus"
        lame --quiet -b 192 "$m/$part.wav" "$m/$part.mp3"
    done
    ff -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=20" -af volume=0.5 -ac 2 \
        -c:a pcm_s16le "$m/long.wav"
    ff -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=30" -ac 2 -b:a 192k \
        "$m/tone30.mp3"
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$work" --runs "$runs" \
        --cpu-span "$cpuspan"
    exit 0
fi

# --- inside Xvfb ---------------------------------------------------------------------------
work="$inner"
m="$work/media"
export PULSE_SERVER="unix:$work/native" PULSE_RUNTIME_PATH="$work/pulse"
export XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp"
mkdir -p "$PULSE_RUNTIME_PATH" "$XDG_RUNTIME_DIR" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
rate=44100
server=""

start_server() {
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes \
        --load="module-null-sink sink_name=lumo_null rate=$rate" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$work/native" \
        >>"$work/pulse.log" 2>&1 &
    server=$!
    until pactl info >/dev/null 2>&1; do sleep 0.02; done
}

stop_server() {
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
}

# Records the monitor into a file in the background and returns once samples arrive: the null
# sink's monitor runs all the time, silence included.
record() {
    rm -f "$1"
    parec --device=lumo_null.monitor --format=s16le --rate=$rate --channels=2 --raw "$1" &
    recorder=$!
    until [ -s "$1" ]; do sleep 0.01; done
}

settings() { # play mode (1: all), analyzer mode
    printf 'Mode = %s\r\nList = 0\r\nVSA = %s\r\nChannel = 2\r\nFast = 0\r\nLarge = 0\r\nTimeRange = 10\r\nWindowFunction = 1\r\nFFTNormal = 0\r\nFFTFast = 0\r\n0\r\n0\r\n' \
        "$1" "$2" >"$work/app/lumo.ini"
}

quit_player() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# Plays two files in play mode "all", from a fresh start or handed to a running player; prints
# "loss_ms gap_ms".
play_pair() {
    local how="$1" first="$2" second="$3" out="$work/rec.raw" pid parec helper
    settings 1 0
    record "$out"
    parec=$recorder
    if [ "$how" = fresh ]; then
        "$work/app/Lumo" "$first" "$second" >>"$work/player.log" 2>&1 &
        pid=$!
    else
        "$work/app/Lumo" >>"$work/player.log" 2>&1 &
        pid=$!
        sleep 3
        "$work/app/Lumo" "$first" "$second" >>"$work/player.log" 2>&1 || true
    fi
    sleep 12
    quit_player "$pid"
    kill "$parec"; wait "$parec" 2>/dev/null || true
    python3 "$here/sound_analysis.py" "$out" $rate | awk '{
        heard = $2 - $1 - $4 / 1000
        printf "%.0f %.2f\n", (6.06 - heard) * 1000, $3 }'
}

start_server

for r in $(seq "$runs"); do
    for how in fresh handoff; do
        echo "start $how wav $(play_pair "$how" "$m/a.wav" "$m/b.wav")"
    done
done
for format in wav flac opus mp3; do
    read -r _ gap < <(play_pair fresh "$m/a.$format" "$m/b.$format")
    echo "join $format $gap"
done

# The server goes away for two seconds while a long sine plays.
settings 0 0
"$work/app/Lumo" "$m/long.wav" >>"$work/player.log" 2>&1 &
pid=$!
sleep 4
stop_server
sleep 2
start_server
back=$(date +%s.%N)
# The player's stream on the new server, looked for every 20 ms (10 s at most).
for _ in $(seq 500); do
    pactl list short sink-inputs 2>/dev/null | grep -q . && break
    sleep 0.02
done
streamed=$(date +%s.%N)
record "$work/restart.raw"
parec=$recorder
recorded=$(date +%s.%N)
sleep 8
kill "$parec"; wait "$parec" 2>/dev/null || true
quit_player "$pid"
first=$(python3 "$here/sound_analysis.py" "$work/restart.raw" $rate | awk '{ print $1 }')
# The recorder itself needs a moment on the new server: sound already there when it starts
# counts from then, an upper bound.
echo "restart $(awk -v a="$recorded" -v b="$back" -v f="$first" -v s="$streamed" \
    'BEGIN { printf "%.2f (stream back after %.2f, recorder ready after %.2f, sound %.2f later)",
             a - b + f, s - b, a - b, f }')"

# CPU share while a 30 s MP3 plays alone.
settings 0 0
"$work/app/Lumo" "$m/tone30.mp3" >>"$work/player.log" 2>&1 &
pid=$!
sleep 5
ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
before=$(cpu)
sleep "$cpuspan"
after=$(cpu)
quit_player "$pid"
echo "cpu $(awk -v a="$after" -v b="$before" -v t="$ticks" -v s="$cpuspan" 'BEGIN { printf "%.4f", (a - b) / t / s }')"
stop_server
