#!/usr/bin/env python3
"""Writes small tracker modules for the audio tests, one per format, each
with a single note of a known sample, so a test can tell from the format's
own rules how long the song lasts and at what rate the sample plays:

  tone.mod  ProTracker M.K.: period 428 (8287 Hz on a PAL Amiga), speed 6,
            125 BPM, 4 rows, then a pattern break ends the song
  shot.mod  the same note of a one-shot sample of varied values, 8 rows
  tone.xm   FastTracker II: C-4 of a sample with relative note 0 (8363 Hz),
            speed 4, 125 BPM, a 4-row pattern
  tone.s3m  Scream Tracker 3: C-4 of a sample of C2SPD 8363, speed 6,
            tempo 150, a pattern break after 4 rows
  tone.it   Impulse Tracker (sample mode): C-5 of a sample of C5Speed 8363,
            speed 3, tempo 147, a pattern break after 4 rows

A row lasts speed ticks of 2.5 / tempo seconds. With --tune FILE it writes
the demo game's music instead. The looped sample is a
square wave of 32 frames (16 high, 16 low); the one-shot sample's values are
listed in shot.raw (signed 8-bit). The note sits on the first channel.
  make_modules.py DIR
  make_modules.py --tune FILE
"""
import os
import struct
import sys

SQUARE = bytes([100] * 16 + [256 - 100] * 16)  # signed 8-bit
SHOT = bytes(((i * 37) % 201 - 100) & 0xFF for i in range(512))


def pad(text, n):
    return text.encode("ascii")[:n].ljust(n, b"\0")


def mod(sample, loop, rows):
    out = pad("vorn test", 20)
    words = len(sample) // 2
    for i in range(31):
        if i == 0:
            start, length = (0, words) if loop else (0, 1)
            out += pad("tone", 22) + struct.pack(">HBBHH", words, 0, 64, start, length)
        else:
            out += pad("", 22) + struct.pack(">HBBHH", 0, 0, 0, 0, 1)
    out += bytes([1, 127]) + bytes(128) + b"M.K."
    pattern = bytearray(64 * 4 * 4)
    period = 428
    pattern[0:4] = bytes([(1 & 0xF0) | period >> 8, period & 0xFF, (1 & 0x0F) << 4, 0])
    last = (rows - 1) * 16
    pattern[last + 2] = 0x0D  # pattern break: the song ends after `rows` rows
    return out + bytes(pattern) + sample


def xm(sample, speed, bpm, rows, notes=None):
    """`notes`: (row, channel, note, volume column) of instrument 1; by
    default C-4 on the first row."""
    channels = 2
    out = b"Extended Module: " + pad("vorn test", 20) + b"\x1a" + pad("vorn", 20)
    out += struct.pack("<HIHHHHHHHH", 0x0104, 276, 1, 0, channels, 1, 1, 1, speed, bpm)
    out += bytes(256)
    cells = bytearray(rows * channels * 5)
    for row, channel, note, volume in notes or [(0, 0, 49, 0)]:
        at = (row * channels + channel) * 5
        cells[at:at + 3] = bytes([note, 1, volume])
    out += struct.pack("<IBHH", 9, 0, rows, len(cells)) + bytes(cells)
    instrument = pad("tone", 22) + bytes([0]) + struct.pack("<HI", 1, 40)
    instrument += bytes(96) + bytes(96) + bytes(16) + struct.pack("<H", 0) + bytes(20)
    out += struct.pack("<I", 4 + len(instrument)) + instrument
    out += struct.pack("<IIIBbBBbB", len(sample), 0, len(sample), 64, 0, 1, 128, 0, 0) + pad("tone", 22)
    deltas, previous = bytearray(), 0
    for b in sample:
        deltas.append((b - previous) & 0xFF)
        previous = b
    return out + bytes(deltas)


def s3m(sample, speed, tempo, rows):
    header = pad("vorn test", 28) + bytes([0x1A, 16, 0, 0])
    header += struct.pack("<HHHHHH", 2, 1, 1, 0, 0x1320, 2) + b"SCRM"
    header += bytes([64, speed, tempo, 0x80 | 48, 0, 0]) + bytes(8) + struct.pack("<H", 0)
    header += bytes([0] + [255] * 31)  # the first channel on the left, the rest unused
    orders = bytes([0, 255])
    inst_at = (len(header) + len(orders) + 4 + 15) // 16 * 16
    pat_at = inst_at + 80
    pattern = bytearray()
    for row in range(64):
        if row == 0:
            pattern += bytes([0x20, 0x40, 1])  # C-4, instrument 1
        if row == rows - 1:
            pattern += bytes([0x80, 3, 0])  # pattern break
        pattern.append(0)
    pattern = struct.pack("<H", len(pattern) + 2) + pattern
    data_at = (pat_at + len(pattern) + 15) // 16 * 16
    out = header + orders + struct.pack("<HH", inst_at // 16, pat_at // 16)
    out = out.ljust(inst_at, b"\0")
    para = data_at // 16
    out += bytes([1]) + pad("tone", 12) + bytes([para >> 16 & 0xFF]) + struct.pack("<H", para & 0xFFFF)
    out += struct.pack("<IIIBBBBI", len(sample), 0, len(sample), 64, 0, 0, 1, 8363)
    out += bytes(12) + pad("tone", 28) + b"SCRS"
    out += pattern
    out = out.ljust(data_at, b"\0")
    return out + bytes((b + 128) & 0xFF for b in sample)  # unsigned samples


def it(sample, speed, tempo, rows):
    header = b"IMPM" + pad("vorn test", 26) + struct.pack("<HHHHHHHHH", 0x1004, 2, 0, 1, 1, 0x0214, 0x0214, 9, 0)
    header += bytes([128, 48, speed, tempo, 128, 0]) + struct.pack("<HII", 0, 0, 0)
    header += bytes([32] * 64) + bytes([64] * 64)
    orders = bytes([0, 255])
    smp_at = len(header) + len(orders) + 8
    pat_at = smp_at + 80
    packed = bytes([0x81, 0x03, 60, 1, 0])  # channel 1: C-5, sample 1
    packed += bytes(rows - 2)
    packed += bytes([0x81, 0x08, 3, 0, 0])  # pattern break on the last row
    packed += bytes(32 - rows)
    pattern = struct.pack("<HHI", len(packed), 32, 0) + packed
    data_at = pat_at + len(pattern)
    out = header + orders + struct.pack("<II", smp_at, pat_at)
    out += b"IMPS" + pad("tone", 12) + bytes([0, 64, 0x01 | 0x10, 64]) + pad("tone", 26) + bytes([1, 0])
    out += struct.pack("<IIIIIII", len(sample), 0, len(sample), 8363, 0, 0, data_at) + bytes(4)
    return out + pattern + sample


def tune():
    """The demo game's music: a looping tune of a melody over a bass line."""
    melody = [49, 53, 56, 61, 60, 56, 53, 56, 51, 54, 58, 63, 61, 58, 54, 58]
    bass = [25, 25, 30, 30, 27, 27, 32, 32]
    notes = [(row * 2, 0, n, 0x40) for row, n in enumerate(melody)]
    notes += [(row * 4, 1, n, 0x30) for row, n in enumerate(bass)]
    return xm(SQUARE, 4, 140, 32, notes)


def main():
    if sys.argv[1] == "--tune":
        with open(sys.argv[2], "wb") as f:
            f.write(tune())
        return
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {
        "tone.mod": mod(SQUARE * 2, True, 4),
        "shot.mod": mod(SHOT, False, 8),
        "tone.xm": xm(SQUARE, 4, 125, 4),
        "tone.s3m": s3m(SQUARE, 6, 150, 4),
        "tone.it": it(SQUARE, 3, 147, 4),
        "shot.raw": SHOT,
    }
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
