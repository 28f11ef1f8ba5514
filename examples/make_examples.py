#!/usr/bin/env python3
"""Regenerates the example files in this folder.

Run it from anywhere: python3 examples/make_examples.py
The output is the same on every run (no randomness, no time stamps), so the
files in the repository can be compared with a fresh run.

  sawtooth.wav    one period of a sawtooth, 200 samples (220.5 Hz), 16-bit
  square.wav      one period of a square wave, 147 samples (300 Hz), 16-bit
  tone8.wav       one period of an 8-bit tone, 50 samples at 11025 Hz
  fractional.wav  a tone whose period is 100 1/3 samples: three periods fill
                  exactly 301 samples, 16-bit
  blank.ka1       1060 zero bytes with a matching checksum at offset 254
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def wav_bytes(samples, rate=44100, bits=16):
    """The canonical 44-byte header followed by mono PCM samples."""
    width = bits // 8
    if bits == 8:
        data = bytes(samples)
    else:
        data = b"".join(struct.pack("<h", s) for s in samples)
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE"
    header += b"fmt " + struct.pack("<IhHiiHH", 16, 1, 1, rate, rate * width, width, bits)
    header += b"data" + struct.pack("<I", len(data))
    return header + data


def additive(length, periods, partials, amplitude, offset=0.0):
    """Samples of a sum of sine partials {harmonic: weight}, `periods` cycles
    of harmonic 1 over `length` samples, scaled so the largest sample has the
    size `amplitude`, then rounded to integers."""
    wave = []
    for i in range(length):
        phase = 2.0 * math.pi * periods * i / length
        wave.append(sum(w * math.sin(h * phase) for h, w in sorted(partials.items())))
    scale = amplitude / max(abs(v) for v in wave)
    return [int(round(offset + v * scale)) for v in wave]


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    # Band-limited: every harmonic below half the sample count, weight 1/h.
    # Harmonics 2, 4, 8, 16, 32 and 64 then lie exactly on the edge between
    # two levels (119/120, 111/112, ...), where rounding the samples to
    # integers decides the level. At this amplitude every one of them stays
    # at or below its ideal ratio and reads 119, 111, 103, 95, 87 and 79.
    saw = {h: 1.0 / h for h in range(1, 100)}
    write("sawtooth.wav", wav_bytes(additive(200, 1, saw, 29968)))

    # Odd harmonics only, weight 1/h, all below half the sample count.
    square = {h: 1.0 / h for h in range(1, 74, 2)}
    write("square.wav", wav_bytes(additive(147, 1, square, 30000)))

    # Unsigned 8-bit samples around 128; the constant part stays in the data.
    write("tone8.wav", wav_bytes(additive(50, 1, {1: 1.0, 3: 0.3}, 100, offset=128.0), rate=11025, bits=8))

    # Weights 1, 0.4 and 0.2 for harmonics 1, 2 and 3.
    write("fractional.wav", wav_bytes(additive(301, 3, {1: 1.0, 2: 0.4, 3: 0.2}, 20000)))

    # Checksum of an all-zero block: (0 + 0xA5) mod 256 AND 0x7F = 0x25.
    ka1 = bytearray(1060)
    ka1[254] = 0x25
    write("blank.ka1", bytes(ka1))


if __name__ == "__main__":
    main()
