#!/usr/bin/env python3
"""Writes data/ding.wav: the short two-tone chime of the settings-change alarm."""
import math
import struct
import sys
import wave

RATE = 22050
SECONDS = 0.45


def sample(t):
    envelope = math.exp(-t * 9.0) * min(1.0, t * 400.0)
    tone = 0.6 * math.sin(2 * math.pi * 880 * t) + 0.4 * math.sin(2 * math.pi * 1318.5 * t)
    return int(max(-1.0, min(1.0, envelope * tone)) * 20000)


def main(path):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        frames = b"".join(struct.pack("<h", sample(i / RATE)) for i in range(int(RATE * SECONDS)))
        w.writeframes(frames)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "data/ding.wav")
