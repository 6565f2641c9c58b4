#!/bin/bash
# Starts the player many times on two sound files into a private PulseAudio server's null
# sink, ends each start with SIGTERM after a varying time, and counts the starts that did not
# end cleanly (a signal, a non-zero exit or a sanitizer report). Meant for the sanitizer build.
#
#   bench/starts.sh [--bin DIR] [--count N]
#
#   --bin DIR    directory holding Lumo and its modules (default: build-asan/bin beside this script)
#   --count N    number of starts (default 200)
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
bin="$here/../build-asan/bin"
count=200
while [ $# -gt 0 ]; do
    case "$1" in
    --bin) bin="$2"; shift 2 ;;
    --count) count="$2"; shift 2 ;;
    --inner) inner="$2"; shift 2 ;;
    -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done

if [ -z "${inner:-}" ]; then
    work="$(mktemp -d)"
    trap 'pkill -f "$work/" 2>/dev/null || true; rm -rf "$work"' EXIT
    mkdir -p "$work/app"
    cp "$bin/Lumo" "$bin"/lib*.so "$work/app/"
    for part in a b; do
        ffmpeg -loglevel error -y -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=3" \
            -ac 2 -c:a pcm_s16le "$work/$part.wav"
    done
    printf 'Mode = 1\r\nList = 0\r\nVSA = 2\r\nChannel = 2\r\nFast = 0\r\nLarge = 0\r\nTimeRange = 10\r\nWindowFunction = 1\r\nFFTNormal = 0\r\nFFTFast = 0\r\n0\r\n0\r\n' \
        >"$work/app/lumo.ini"
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$work" --count "$count"
    exit $?
fi

work="$inner"
export PULSE_SERVER="unix:$work/native" PULSE_RUNTIME_PATH="$work/pulse"
export XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp"
export ASAN_OPTIONS="detect_leaks=0" UBSAN_OPTIONS="print_stacktrace=1"
mkdir -p "$PULSE_RUNTIME_PATH" "$XDG_RUNTIME_DIR" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes \
    --load="module-null-sink sink_name=lumo_null" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/native" \
    >"$work/pulse.log" 2>&1 &
server=$!
until pactl info >/dev/null 2>&1; do sleep 0.02; done

bad=0
for i in $(seq "$count"); do
    log="$work/start-$i.log"
    "$work/app/Lumo" "$work/a.wav" "$work/b.wav" >"$log" 2>&1 &
    pid=$!
    # Ends anywhere from the load to the join between the files.
    sleep "$(awk -v i="$i" 'BEGIN { srand(i); printf "%.2f", 0.3 + rand() * 4.5 }')"
    kill -TERM "$pid" 2>/dev/null || true
    status=0
    wait "$pid" || status=$?
    if [ "$status" -ne 0 ] || grep -q -E "ERROR: (Address|Undefined)Sanitizer|runtime error" "$log"; then
        bad=$((bad + 1))
        echo "start $i: exit status $status" >&2
        grep -m 20 -E "Sanitizer|runtime error|#[0-9]+ " "$log" >&2 || true
    fi
done
kill "$server" 2>/dev/null || true
echo "$count starts, $bad not clean"
[ "$bad" -eq 0 ]
