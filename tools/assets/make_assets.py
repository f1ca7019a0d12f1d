#!/usr/bin/env python3
"""Draws the program's images and sounds into a build folder.

  make_assets.py OUT_DIR

OUT_DIR/rc/        icons and bitmaps that the resource scripts compile in
OUT_DIR/pictures/  skin images laid out beside the program
OUT_DIR/wav/       message and completion sounds
"""

import glob
import importlib
import math
import os
import struct
import sys
import wave

from imaging import Canvas, bmp_bytes, ico_bytes, png_bytes

GREEN = (46, 160, 67, 255)
DARK_GREEN = (28, 110, 45, 255)
WHITE = (255, 255, 255, 255)
GREY = (120, 128, 136, 255)
RED = (200, 50, 40, 255)


def keyboard_icon(size):
    """The application icon: a rounded green tile with three white keys."""
    c = Canvas(size, size)
    r = size / 6
    c.rounded_rect(0, 0, size, size, r, DARK_GREEN)
    c.rounded_rect(1, 1, size - 1, size - 1, r, GREEN)
    key_w = size // 4
    top = size // 4
    for i in range(3):
        x0 = size // 8 + i * (key_w + max(1, size // 32))
        c.fill_rect(x0, top, x0 + key_w, size - size // 6, WHITE)
    black_w = max(2, key_w // 2)
    for i in range(2):
        x0 = size // 8 + (i + 1) * (key_w + max(1, size // 32)) - black_w // 2
        c.fill_rect(x0, top, x0 + black_w, top + (size - top) // 2, (30, 30, 30, 255))
    return c


def status_disc(size, colour):
    c = Canvas(size, size)
    c.disc(size / 2 - 0.5, size / 2 - 0.5, size / 2 - 1, colour)
    c.disc(size / 2 - 0.5 - size / 8, size / 2 - 0.5 - size / 8, size / 6, (255, 255, 255, 90))
    return c


def arrow(size, pointing_right):
    c = Canvas(size, size)
    c.rounded_rect(0, 0, size, size, size / 5, GREEN)
    m = size / 2
    if pointing_right:
        pts = [(size * 0.3, size * 0.22), (size * 0.75, m), (size * 0.3, size * 0.78)]
    else:
        pts = [(size * 0.7, size * 0.22), (size * 0.25, m), (size * 0.7, size * 0.78)]
    c.polygon(pts, WHITE)
    return c


def document(size, fold_colour):
    c = Canvas(size, size)
    w = size * 0.7
    x0 = (size - w) / 2
    c.polygon([(x0, 1), (x0 + w * 0.7, 1), (x0 + w, size * 0.3), (x0 + w, size - 1), (x0, size - 1)], GREY)
    c.polygon([(x0 + 1, 2), (x0 + w * 0.7 - 0.5, 2), (x0 + w - 1, size * 0.3 + 0.5),
               (x0 + w - 1, size - 2), (x0 + 1, size - 2)], WHITE)
    c.polygon([(x0 + w * 0.7, 1), (x0 + w, size * 0.3), (x0 + w * 0.7, size * 0.3)], fold_colour)
    return c


def warning_icon(size):
    """The failure and refusal boxes' icon: a white exclamation mark on an
    amber triangle."""
    c = Canvas(size, size)
    amber = (232, 160, 24, 255)
    edge = (170, 104, 0, 255)
    c.polygon([(size / 2, 0.5), (size - 0.5, size - 1.5), (0.5, size - 1.5)], edge)
    c.polygon([(size / 2, 2.5), (size - 2.5, size - 2.5), (2.5, size - 2.5)], amber)
    bar = max(2, size // 8)
    x0 = (size - bar) // 2
    c.rounded_rect(x0, int(size * 0.3), x0 + bar, int(size * 0.66), bar / 2, WHITE)
    c.disc(size / 2 - 0.5, size * 0.78, bar * 0.6, WHITE)
    return c


def corner_picture(width, height):
    """The pages' corner picture: a keyboard's end seen at an angle, fading
    into the page towards the upper left."""
    c = Canvas(width, height)
    key_w = width // 9
    for i in range(9):
        x0 = i * key_w
        alpha = int(40 + 140 * i / 8)
        top = height - int(height * (0.35 + 0.65 * i / 8))
        c.rounded_rect(x0 + 1, top, x0 + key_w - 1, height, 2, (200, 230, 205, alpha))
        c.rounded_rect(x0 + 2, top + 1, x0 + key_w - 2, height - 1, 2, (255, 255, 255, alpha))
    for i in (1, 2, 4, 5, 6):
        x0 = i * key_w + key_w * 2 // 3
        alpha = int(50 + 150 * i / 8)
        top = height - int(height * (0.35 + 0.65 * i / 8))
        c.fill_rect(x0, top, x0 + key_w * 2 // 3, top + (height - top) * 3 // 5, (28, 110, 45, alpha))
    return c


def tone(path, notes, rate=22050):
    """A short sine melody with a soft attack and decay, 16-bit mono."""
    frames = bytearray()
    for freq, seconds in notes:
        n = int(rate * seconds)
        for i in range(n):
            env = min(1.0, i / (rate * 0.01)) * (1 - i / n) ** 2
            frames.extend(struct.pack("<h", int(12000 * env * math.sin(2 * math.pi * freq * i / rate))))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def main(out):
    write(os.path.join(out, "rc", "keyloft.ico"),
          ico_bytes([keyboard_icon(16), keyboard_icon(32), keyboard_icon(48)]))
    write(os.path.join(out, "rc", "valid_file.ico"), ico_bytes([document(16, GREEN)]))
    write(os.path.join(out, "rc", "invalid_file.ico"), ico_bytes([document(16, RED)]))
    write(os.path.join(out, "rc", "warning.ico"),
          ico_bytes([warning_icon(16), warning_icon(32), warning_icon(48)]))

    pictures = os.path.join(out, "pictures")
    write(os.path.join(pictures, "pcFile.png"), png_bytes(document(48, GREEN)))
    write(os.path.join(pictures, "connected.png"), png_bytes(status_disc(24, GREEN)))
    write(os.path.join(pictures, "disconnect.png"), png_bytes(status_disc(24, RED)))
    write(os.path.join(pictures, "left.png"), png_bytes(arrow(24, False)))
    write(os.path.join(pictures, "right.png"), png_bytes(arrow(24, True)))
    write(os.path.join(pictures, "corner.png"), png_bytes(corner_picture(180, 110)))

    sounds = os.path.join(out, "wav")
    os.makedirs(sounds, exist_ok=True)
    tone(os.path.join(sounds, "msgBox.wav"), [(880, 0.12)])
    tone(os.path.join(sounds, "finish.wav"), [(660, 0.1), (880, 0.1), (1320, 0.18)])
    # Further images, one module per area of the program: images_<area>.py with
    # make(out_dir, write), drawing into OUT_DIR/rc or OUT_DIR/pictures.
    here = os.path.dirname(os.path.abspath(__file__))
    for path in sorted(glob.glob(os.path.join(here, "images_*.py"))):
        module = importlib.import_module(os.path.splitext(os.path.basename(path))[0])
        module.make(out, write)

    # A stamp the build depends on: written last, so a half-made set is redone.
    write(os.path.join(out, "assets.stamp"), b"ok\n")


if __name__ == "__main__":
    main(sys.argv[1])
