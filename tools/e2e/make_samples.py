#!/usr/bin/env python3
"""Presets a demonstration: a few files in the simulated instrument's memory folder
and a few in the program's PC data folders, all carrying the instrument's marks,
so that the transfer pages show something on both sides.

Usage: make_samples.py <instrument-folder> <program-folder>
Existing files are left alone (a second run keeps what the user moved).
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "seeds"))
from device_bytes import MAKER_MODEL, MEMORY_MARK, STYLE_MARK, VOICE_MARK, chunk, seal  # noqa: E402

EXACT_SIZE = 131072  # the built-in device profile's VOC_SIZE and MEM_SIZE


def song(seed, notes=64):
    """A format-1 file: conductor track with the mark event first, one melody track."""
    conductor = (b"\x00\xff\x01\x0e" + MAKER_MODEL + b"\x00\xff\x51\x03\x07\xa1\x20"
                 + b"\x00\xff\x2f\x00")
    melody = bytearray()
    scale = (0, 2, 4, 5, 7, 9, 11, 12)
    for i in range(notes):
        key = 48 + seed % 12 + scale[(i * (seed + 3)) % len(scale)]
        melody += bytes([0, 0x90, key, 90, 0x30, key, 0])
    melody += b"\x00\xff\x2f\x00"
    return (chunk(b"MThd", struct.pack(">HHH", 1, 2, 96)) + chunk(b"MTrk", conductor)
            + chunk(b"MTrk", bytes(melody)))


def style(name, seed):
    head = bytearray(STYLE_MARK + b"\0" * 4)
    names = (name, b"", b"", b"")
    name_bytes = sum(len(n) for n in names)
    block = (name_bytes + 6) & ~1
    head += struct.pack("<HHHH", 0x2478, 0x43, 0x43 + block // 2, 0)
    head += b"\0" * 72 + b"\0\0" + b"\0" * 52
    head += bytes(len(n) for n in names) + b"".join(names) + b"\xff"
    if name_bytes % 2 == 0:
        head += b"\0"
    head += b"\x11" * 896
    for segment, length in ((3, 64), (6, 256), (14, 64)):
        word = (len(head) - 28) // 2
        head[110 + 2 * (segment - 3):112 + 2 * (segment - 3)] = struct.pack("<H", word)
        head += bytes([(segment + seed) & 0x7F]) * length
    seal(head)
    return bytes(head)


def exact(mark, seed):
    return mark + bytes([(seed * 7 + i) & 0xFF for i in range(64)]) * ((EXACT_SIZE - len(mark)) // 64) \
        + b"\0" * ((EXACT_SIZE - len(mark)) % 64)


def put(path, data):
    if os.path.exists(path):
        return
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    instrument, program = sys.argv[1], sys.argv[2]
    # On the instrument: a few used slots of every kind.
    for slot, seed in ((0, 1), (1, 2), (4, 3)):
        put(os.path.join(instrument, "song", "%03d.mid" % slot), song(seed))
    for slot, seed in ((0, 1), (2, 2)):
        put(os.path.join(instrument, "style", "%03d.sty" % slot), style(b"DEMO%d" % seed, seed))
    put(os.path.join(instrument, "voice", "000.voc"), exact(VOICE_MARK, 1))
    put(os.path.join(instrument, "memory", "000.mem"), exact(MEMORY_MARK, 1))
    # On the PC: files ready to download, in the data folders beside the program.
    data = os.path.join(program, "XKBD")
    # One name in Chinese: it shows in every language of the interface.
    for name, seed in (("Morning Walk.mid", 5), ("Waltz for Two.mid", 6), ("Rain Song.mid", 7),
                       ("春天的歌.mid", 8)):
        put(os.path.join(data, "song", name), song(seed, notes=96))
    for name, seed in (("Bossa.sty", 4), ("Swing.sty", 5)):
        put(os.path.join(data, "style", name), style(name[:-4].upper().encode(), seed))
    put(os.path.join(data, "voice", "Bright Piano.voc"), exact(VOICE_MARK, 4))
    put(os.path.join(data, "memory", "Stage Setup.mem"), exact(MEMORY_MARK, 4))


if __name__ == "__main__":
    main()
