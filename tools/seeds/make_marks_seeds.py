#!/usr/bin/env python3
"""Writes the seed files of the file-mark fuzz target (tests/fuzz/corpus/marks/).

Run from anywhere: python3 tools/seeds/make_marks_seeds.py
"""
import os
import struct

from device_bytes import MAKER_MODEL, MEMORY_MARK, STYLE_MARK, VOICE_MARK, chunk, seal
OUT = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "fuzz", "corpus", "marks")


def style(names=(b"POP", b"P", b"", b""), segments=((2, 8), (3, 6), (6, 10), (14, 4))):
    head = bytearray(STYLE_MARK + b"\0" * 4)
    name_bytes = sum(len(n) for n in names)
    block = (name_bytes + 6) & ~1
    head += struct.pack("<HHHH", 0x2478, 0x43, 0x43 + block // 2, 0)
    head += b"\0" * 72 + b"\0\0" + b"\0" * 52
    head += bytes(len(n) for n in names) + b"".join(names) + b"\xff"
    if name_bytes % 2 == 0:
        head += b"\0"
    head += b"\x11" * 896
    for segment, length in segments:
        word = (len(head) - 28) // 2
        where = 34 if segment == 2 else 110 + 2 * (segment - 3)
        head[where:where + 2] = struct.pack("<H", word)
        head += bytes([segment]) * length
    seal(head)
    return bytes(head)


def song(tracks=2):
    conductor = b"\x00\xff\x01\x0e" + MAKER_MODEL + b"\x00\xff\x51\x03\x07\xa1\x20\x00\xff\x2f\x00"
    out = chunk(b"MThd", struct.pack(">HHH", 1, tracks + 1, 96)) + chunk(b"MTrk", conductor)
    for i in range(tracks):
        out += chunk(b"MTrk", bytes([0, 0x90 | i, 60, 100, 0x60, 60, 0, 0, 0xff, 0x2f, 0]))
    return out


def offset_outside():
    damaged = bytearray(style())
    damaged[110:112] = b"\xf0\xff"
    seal(damaged)
    return bytes(damaged)


def main():
    os.makedirs(OUT, exist_ok=True)
    seeds = {
        "style_basic": style(),
        "style_cross_fill": style(segments=((3, 2), (17, 2), (28, 2))),
        "style_no_segments": style(names=(b"", b"", b"", b""), segments=()),
        "style_short_table": style()[:140],
        "style_offset_outside": offset_outside(),
        "song_basic": song(),
        "song_conductor_only": song(0),
        "voice": VOICE_MARK + b"\x5a" * 40,
        "memory": MEMORY_MARK + b"\x5a" * 40,
    }
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
