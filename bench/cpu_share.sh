#!/bin/bash
# CPU share and resident memory of the whole player while it plays and analyses a generated
# 30 s MP3 under Xvfb.
#
#   bench/cpu_share.sh [options] [MODE...]
#
# MODE is the analyzer mode written to lumo.ini (0 none, 1 oscilloscope, 2/3 spectrum A/B,
# 4/5 level meter A/B, 6 analog meter, 7 spectrogram, 8 loudness meter, 9 stereo field);
# default: 0 1 2 3 4 6. Options:
#   --bin DIR      directory holding Lumo and its modules (default: build/bin beside this script)
#   --fast 0|1     fast mode, 10 ms frames (default 1)
#   --fft N        FFT size index 0..4 for the current speed, 4 = 16384 (default 4)
#   --channel C    0 left, 1 right, 2 both (default 2)
#   --large 0|1    large analyzer area (default 1)
#   --settle S     seconds to wait for playback to settle (default 6)
#   --span S       seconds to measure (default 10)
#   --runs R       runs per mode; the lowest and the median share are printed (default 1)
#   --floor        also measure bench's repaint_floor (build-bench): a bare window with a 10 ms
#                  timer alone (mode t), repainting a third of a picture the size of the large
#                  analyzer's plot and drawing nothing (r), and copying that third (c); what Qt
#                  and the X server cost at the fast frame rate before the player does anything
#   --floor-bin F  the repaint_floor program (default: build-bench/bin/repaint_floor)
#
# The player runs from a scratch copy so that its lumo.ini (beside the program) is the one
# written here. The share is (utime + stime) over the span from /proc/<pid>/stat, in cores;
# the X server's own share is shown beside it. RSS is VmRSS at the end of the span.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
bin="$here/../build/bin"
fast=1 fft=4 channel=2 large=1 settle=6 span=10 runs=1 floor=0
floorbin="$here/../build-bench/bin/repaint_floor"
modes=()
while [ $# -gt 0 ]; do
    case "$1" in
    --bin) bin="$2"; shift 2 ;;
    --fast) fast="$2"; shift 2 ;;
    --fft) fft="$2"; shift 2 ;;
    --channel) channel="$2"; shift 2 ;;
    --large) large="$2"; shift 2 ;;
    --settle) settle="$2"; shift 2 ;;
    --span) span="$2"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --floor) floor=1; shift ;;
    --floor-bin) floorbin="$2"; shift 2 ;;
    --inner) inner="$2"; shift 2 ;;
    -h|--help) sed -n '2,21p' "$0"; exit 0 ;;
    *) modes+=("$1"); shift ;;
    esac
done
[ ${#modes[@]} -gt 0 ] || modes=(0 1 2 3 4 6)
[ "$floor" = 0 ] || modes+=(t r c)

# --- inside Xvfb: one run of one mode; prints "share xshare rss_kb" ----------------------------
if [ -n "${inner:-}" ]; then
    scratch="$inner"
    mode="${modes[0]}"
    # Fast flag, FFT sizes: the normal size may not exceed the fast one.
    normal=$fft
    [ "$fast" = 1 ] && normal=$((fft < 1 ? fft : 1))
    printf 'Mode = 0\r\nList = 0\r\nVSA = %s\r\nChannel = %s\r\nFast = %s\r\nLarge = %s\r\nTimeRange = 10\r\nWindowFunction = 1\r\nFFTNormal = %s\r\nFFTFast = %s\r\n0\r\n0\r\n' \
        "$mode" "$channel" "$fast" "$large" "$normal" "$fft" >"$scratch/app/lumo.ini"
    ticks=$(getconf CLK_TCK)
    cputicks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
    # The X server this run draws on (xvfb-run sets DISPLAY).
    xpid=$(pgrep -n -f "^Xvfb ${DISPLAY}( |$)" || true)
    # The user's own HOME: a fresh one makes GStreamer rebuild its plugin registry. Its own
    # runtime and temporary folders: a player already running for this user (tests, another
    # run) must not take the file over.
    mkdir -p "$scratch/run" "$scratch/tmp"
    chmod 700 "$scratch/run"
    case "$mode" in
    t) program=("$floorbin" timer) ;;
    r) program=("$floorbin" repaint) ;;
    c) program=("$floorbin" copy) ;;
    *) program=("$scratch/app/Lumo" "$scratch/tone.mp3") ;;
    esac
    XDG_RUNTIME_DIR="$scratch/run" TMPDIR="$scratch/tmp" "${program[@]}" >"$scratch/player.log" 2>&1 &
    pid=$!
    sleep "$settle"
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "player ended early; see $scratch/player.log" >&2
        exit 1
    fi
    a=$(cputicks "$pid")
    xa=0; [ -n "$xpid" ] && xa=$(cputicks "$xpid")
    t0=$(date +%s.%N)
    sleep "$span"
    b=$(cputicks "$pid")
    xb=0; [ -n "$xpid" ] && xb=$(cputicks "$xpid")
    t1=$(date +%s.%N)
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v a="$a" -v b="$b" -v xa="$xa" -v xb="$xb" -v t0="$t0" -v t1="$t1" -v hz="$ticks" -v rss="$rss" \
        'BEGIN { s = t1 - t0; printf "%.3f %.3f %d\n", (b - a) / hz / s, (xb - xa) / hz / s, rss }'
    exit 0
fi

# --- outside: scratch folder, the tune, one Xvfb run per mode and run; the table -------------
for f in Lumo libfft.so libaudiodecoder.so; do
    [ -e "$bin/$f" ] || { echo "missing $bin/$f (build first)" >&2; exit 1; }
done
[ "$floor" = 0 ] || [ -x "$floorbin" ] || { echo "missing $floorbin (make bench)" >&2; exit 1; }
scratch="$(mktemp -d /tmp/lumo-cpu.XXXXXX)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/app"
cp "$bin/Lumo" "$bin"/libfft.so* "$bin"/libaudiodecoder.so* "$scratch/app/"
# 30 s of stereo music-like sound: a tone sweep over soft noise.
ffmpeg -hide_banner -loglevel error \
    -f lavfi -i "sine=frequency=220:beep_factor=4:duration=30" \
    -f lavfi -i "anoisesrc=d=30:a=0.08:c=pink" \
    -filter_complex "[0][1]amix=inputs=2,aformat=channel_layouts=stereo" \
    -ar 44100 -c:a libmp3lame -b:a 192k -y "$scratch/tone.mp3"

declare -A names=([0]="playback alone" [1]="oscilloscope" [2]="spectrum A" [3]="spectrum B"
       [4]="level meter A" [5]="level meter B" [6]="analog meter" [7]="spectrogram"
       [8]="loudness meter" [9]="stereo field"
       [t]="bare: timer" [r]="bare: repaint" [c]="bare: copy")
echo "# fast=$fast fft=$fft channel=$channel large=$large settle=${settle}s span=${span}s runs=$runs"
echo "# load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
printf '%-4s  %-15s  %10s  %10s  %10s  %8s\n' mode view "low(cores)" "med(cores)" "X(cores)" "RSS(MB)"
for mode in "${modes[@]}"; do
    lines=()
    for ((r = 0; r < runs; r++)); do
        lines+=("$(xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$scratch" \
            --floor-bin "$floorbin" --fast "$fast" --fft "$fft" --channel "$channel" \
            --large "$large" --settle "$settle" --span "$span" "$mode")")
    done
    # Runs sorted by share: the first is the lowest, the middle one the median (the lower of
    # the two middle ones for an even count). X share and RSS are those of the lowest run.
    sorted=$(printf '%s\n' "${lines[@]}" | sort -n -k1,1)
    read -r share xshare rss <<<"$(head -n1 <<<"$sorted")"
    median=$(sed -n "$(((runs + 1) / 2))p" <<<"$sorted" | cut -d' ' -f1)
    printf '%-4s  %-15s  %10s  %10s  %10s  %8.1f\n' "$mode" "${names[$mode]:-?}" "$share" "$median" \
        "$xshare" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
done
echo "# load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
