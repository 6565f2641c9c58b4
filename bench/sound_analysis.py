#!/usr/bin/env python3
"""What a recording of the sound server's monitor holds: where the sound starts and ends, the
silent runs inside it and their sum. Reads raw 16-bit little-endian stereo.

    sound_analysis.py FILE RATE [THRESHOLD]

Prints one line: "first_s last_s longest_gap_ms gaps_ms at_s" (first and last sounding sample
in seconds from the start of the recording, the longest silent run between them, the sum of
all such runs longer than a millisecond, and where the longest run ends). A silent run is a stretch where both channels stay
within THRESHOLD (default 64) of zero; a sine's zero crossings last far less than a
millisecond, so only real gaps count.
"""
import array
import sys


def main():
    path, rate = sys.argv[1], int(sys.argv[2])
    threshold = int(sys.argv[3]) if len(sys.argv) > 3 else 64
    samples = array.array("h")
    with open(path, "rb") as f:
        samples.frombytes(f.read())
    if sys.byteorder != "little":
        samples.byteswap()
    frames = len(samples) // 2
    loud = [max(abs(samples[2 * i]), abs(samples[2 * i + 1])) > threshold for i in range(frames)]
    try:
        first = loud.index(True)
    except ValueError:
        print("nan nan nan nan nan")
        return
    last = frames - 1 - loud[::-1].index(True)
    longest = 0
    longest_end = first
    total = 0
    run = 0
    minimum = rate // 1000
    for i in range(first, last + 1):
        if loud[i]:
            if run > minimum:
                total += run
            if run > longest:
                longest, longest_end = run, i
            run = 0
        else:
            run += 1
    print(f"{first / rate:.4f} {last / rate:.4f} {1000.0 * longest / rate:.2f} "
          f"{1000.0 * total / rate:.2f} {longest_end / rate:.4f}")


if __name__ == "__main__":
    main()
