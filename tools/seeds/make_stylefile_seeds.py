#!/usr/bin/env python3
"""Writes the seed files of the style-file fuzz target (tests/fuzz/corpus/stylefile/):
styles to rewrite and the side files (.sci, .ots, .ins).

Run from anywhere: python3 tools/seeds/make_stylefile_seeds.py
"""
import os
import struct

from make_marks_seeds import style
OUT = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "fuzz", "corpus", "stylefile")


def ots():
    part = lambda volume: struct.pack("<HBBBB", 1, volume, 0, 40, 0)
    return (part(100) + part(80) + part(45)) * 4


def main():
    os.makedirs(OUT, exist_ok=True)
    seeds = {
        "style_all_names": style(names=(b"POP 1", b"P1", b"THIRD", b"4TH")),
        "style_without_sint": style(segments=((3, 6), (6, 10), (14, 5))),
        "sections.sci": bytes([0x28, 0x64, 0x00, 0x7F]) * 224,
        "settings.ots": ots(),
        "voices.ins": b"0\tNo Voice\r\n1\tGrand Piano\t\xe9\x92\xa2\xe7\x90\xb4\nOrgan\n",
    }
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
