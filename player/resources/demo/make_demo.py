#!/usr/bin/python3
"""Makes the demo tune: about 30 seconds of music in D major at 96 beats a minute, stereo,
44.1 kHz, with bass, a soft chord pad, a bell arpeggio, a melody and light drums, so that the
analyzer has something to show in every band.

Writes demo.wav (16-bit PCM) and demo.mp3 (lame, 160 kbit/s, ID3v2 title in UTF-16 and an
ID3v1 title in ASCII) beside this script. Needs only Python 3 and lame; the output is the same
on every run."""

import math
import os
import random
import struct
import subprocess
import sys
import wave
from array import array

RATE = 44100
BEAT = 60.0 / 96.0
BARS = 12
TAIL = 2.0
LENGTH = BARS * 4 * BEAT + TAIL
FRAMES = int(LENGTH * RATE)

TITLE_V2 = "Lumo Demo — 夜明けの歌"
TITLE_V1 = "Lumo Demo - Yoake no Uta"
ARTIST = "Lumo"

left = array("d", bytes(8 * FRAMES))
right = array("d", bytes(8 * FRAMES))
noise = random.Random(1975)


def freq(midi):
    return 440.0 * 2.0 ** ((midi - 69) / 12.0)


def add(start, samples, pan):
    """Mixes mono samples in at start seconds; pan -1 left … +1 right (equal power)."""
    angle = (pan + 1.0) * math.pi / 4.0
    gl, gr = math.cos(angle), math.sin(angle)
    first = int(start * RATE)
    for i, s in enumerate(samples):
        n = first + i
        if n >= FRAMES:
            break
        left[n] += s * gl
        right[n] += s * gr


def envelope(i, count, attack, release):
    t = i / RATE
    rest = (count - i) / RATE
    a = min(1.0, t / attack) if attack > 0 else 1.0
    r = min(1.0, rest / release) if release > 0 else 1.0
    return a * r


def tone(midi, seconds, partials, attack, release, decay=0.0, vibrato=0.0):
    """Additive voice: partials is a list of (harmonic, amplitude)."""
    f = freq(midi)
    count = int(seconds * RATE)
    out = [0.0] * count
    step = 2.0 * math.pi * f / RATE
    phase = 0.0
    for i in range(count):
        t = i / RATE
        phase += step * (1.0 + vibrato * math.sin(2.0 * math.pi * 5.5 * t) * min(1.0, t / 0.3))
        s = 0.0
        for h, amp in partials:
            s += amp * math.sin(h * phase)
        gain = envelope(i, count, attack, release)
        if decay > 0:
            gain *= math.exp(-t / decay)
        out[i] = s * gain
    return out


def bell(midi, seconds):
    """Two-operator FM bell."""
    f = freq(midi)
    count = int(seconds * RATE)
    out = [0.0] * count
    for i in range(count):
        t = i / RATE
        index = 2.5 * math.exp(-t / 0.15)
        mod = index * math.sin(2.0 * math.pi * f * 3.5 * t)
        out[i] = math.sin(2.0 * math.pi * f * t + mod) * math.exp(-t / 0.35) * min(1.0, t / 0.002)
    return out


def kick():
    count = int(0.35 * RATE)
    out = [0.0] * count
    phase = 0.0
    for i in range(count):
        t = i / RATE
        phase += 2.0 * math.pi * (45.0 + 110.0 * math.exp(-t / 0.04)) / RATE
        out[i] = math.sin(phase) * math.exp(-t / 0.12)
    return out


def snare():
    count = int(0.2 * RATE)
    out = [0.0] * count
    for i in range(count):
        t = i / RATE
        body = 0.4 * math.sin(2.0 * math.pi * 190.0 * t) * math.exp(-t / 0.05)
        out[i] = (body + 0.6 * noise.uniform(-1, 1)) * math.exp(-t / 0.06)
    return out


def hat(open_hat):
    count = int((0.18 if open_hat else 0.05) * RATE)
    out = [0.0] * count
    previous = 0.0
    for i in range(count):
        t = i / RATE
        white = noise.uniform(-1, 1)
        # A first difference tilts the noise towards the top of the spectrum.
        out[i] = (white - previous) * 0.5 * math.exp(-t / (0.06 if open_hat else 0.015))
        previous = white
    return out


# D major: I – vi – IV – V, three times; the last bar resolves to I.
CHORDS = [(50, [62, 66, 69]), (47, [59, 62, 66]), (43, [59, 62, 67]), (45, [61, 64, 69])]
PROGRESSION = CHORDS * 3
PROGRESSION[-1] = (50, [62, 66, 69])

# Melody in the major pentatonic of D: (beat in bar, length in beats, midi note) per bar.
MELODY = [
    [(0, 1.5, 74), (1.5, 0.5, 76), (2, 1, 78), (3, 1, 81)],
    [(0, 2, 83), (2, 1, 81), (3, 1, 78)],
    [(0, 1.5, 79), (1.5, 0.5, 78), (2, 1, 76), (3, 1, 74)],
    [(0, 3, 76), (3, 0.5, 78), (3.5, 0.5, 81)],
    [(0, 1, 86), (1, 1, 83), (2, 1.5, 81), (3.5, 0.5, 78)],
    [(0, 2, 78), (2, 0.5, 81), (2.5, 0.5, 83), (3, 1, 81)],
    [(0, 1, 79), (1, 1, 83), (2, 1, 86), (3, 1, 88)],
    [(0, 3, 85), (3, 1, 81)],
    [(0, 1.5, 86), (1.5, 0.5, 88), (2, 1, 90), (3, 1, 88)],
    [(0, 2, 86), (2, 1, 83), (3, 1, 81)],
    [(0, 1, 79), (1, 1, 81), (2, 1, 83), (3, 1, 85)],
    [(0, 4, 86)],
]

PAD = [(1, 0.5), (2, 0.25), (3, 0.12), (4, 0.06), (5, 0.03)]
BASS = [(1, 1.0), (2, 0.35), (3, 0.1)]
LEAD = [(1, 1.0), (3, 0.2), (5, 0.08), (2, 0.1)]

KICK, SNARE = kick(), snare()
HAT_CLOSED, HAT_OPEN = hat(False), hat(True)

for bar, (root, triad) in enumerate(PROGRESSION):
    start = bar * 4 * BEAT
    last = bar == BARS - 1
    held = 4 * BEAT + (TAIL if last else 0.1)
    for k, note in enumerate(triad):
        add(start, [0.09 * s for s in tone(note, held, PAD, 0.25, 0.6 if last else 0.3)],
            -0.4 + 0.4 * k)
    for beat in ((0, 2) if not last else (0,)):
        length = 2 * BEAT if not last else held
        add(start + beat * BEAT, [0.32 * s for s in tone(root - 12 + 12 * (beat == 2 and bar % 2),
                                                           length, BASS, 0.005, 0.15, decay=0.9)],
            0.0)
    if not last:
        pattern = triad + [triad[0] + 12, triad[1] + 12, triad[2] + 12, triad[1] + 12, triad[2]]
        for step in range(8):
            add(start + step * BEAT / 2, [0.08 * s for s in bell(pattern[step] + 12, 0.6)],
                -0.6 if step % 2 else -0.2)
    for beat, length, note in MELODY[bar]:
        add(start + beat * BEAT, [0.16 * s for s in tone(note, length * BEAT + (1.2 if last else 0.05),
                                                         LEAD, 0.02, 0.08, vibrato=0.004)],
            0.35)
    if bar == 0 or last:
        add(start, [0.5 * s for s in KICK], 0.0)
        continue
    for beat in range(4):
        if beat in (0, 2):
            add(start + beat * BEAT, [0.55 * s for s in KICK], 0.0)
        else:
            add(start + beat * BEAT, [0.22 * s for s in SNARE], 0.1)
    for eighth in range(8):
        sound = HAT_OPEN if eighth == 7 else HAT_CLOSED
        add(start + eighth * BEAT / 2, [0.12 * s for s in sound], 0.5 if eighth % 2 else 0.3)

peak = max(max(abs(v) for v in left), max(abs(v) for v in right))
scale = 0.89 / peak
fade = int(1.5 * RATE)
pcm = array("h", bytes(4 * FRAMES))
for n in range(FRAMES):
    g = scale * min(1.0, (FRAMES - n) / fade)
    pcm[2 * n] = int(round(left[n] * g * 32767))
    pcm[2 * n + 1] = int(round(right[n] * g * 32767))
if sys.byteorder == "big":
    pcm.byteswap()

here = os.path.dirname(os.path.abspath(__file__))
wav_path = os.path.join(here, "demo.wav")
mp3_path = os.path.join(here, "demo.mp3")
with wave.open(wav_path, "wb") as out:
    out.setnchannels(2)
    out.setsampwidth(2)
    out.setframerate(RATE)
    out.writeframes(pcm.tobytes())

subprocess.run(["lame", "--quiet", "--cbr", "-b", "160", "--id3v2-only", "--id3v2-utf16",
                "--tt", TITLE_V2, "--ta", ARTIST, "--ty", "2024", wav_path, mp3_path],
               check=True, env=dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8"))


def field(text, size):
    return text.encode("ascii")[:size].ljust(size, b"\0")


with open(mp3_path, "ab") as out:
    out.write(b"TAG" + field(TITLE_V1, 30) + field(ARTIST, 30) + field("", 30) + b"2024"
              + field("", 30) + bytes([255]))
