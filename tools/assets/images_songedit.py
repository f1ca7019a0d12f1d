"""Images of the song editor: the toolbar strip (open, play, stop, convert,
output device) on the light grey that toolbar image lists take as transparent."""

import os

from imaging import Canvas, bmp_bytes

GREEN = (78, 154, 6, 255)
DARK = (46, 52, 54, 255)
BLUE = (52, 101, 164, 255)
YELLOW = (237, 212, 0, 255)
RED = (204, 0, 0, 255)
TOOLBAR_MASK = (192, 192, 192)


def folder(c, ox):
    c.fill_rect(ox + 1, 4, ox + 7, 6, YELLOW)
    c.fill_rect(ox + 1, 6, ox + 15, 14, YELLOW)
    c.fill_rect(ox + 1, 13, ox + 15, 14, DARK)


def play(c, ox):
    c.polygon([(ox + 4, 2), (ox + 14, 8), (ox + 4, 14)], GREEN)


def stop(c, ox):
    c.fill_rect(ox + 3, 3, ox + 13, 13, RED)


def convert(c, ox):
    c.fill_rect(ox + 2, 6, ox + 9, 10, BLUE)
    c.polygon([(ox + 9, 2), (ox + 15, 8), (ox + 9, 14)], BLUE)


def device(c, ox):
    c.fill_rect(ox + 1, 5, ox + 15, 12, DARK)
    for i in range(4):
        c.fill_rect(ox + 3 + 3 * i, 7, ox + 5 + 3 * i, 10, (255, 255, 255, 255))


def make(out, write):
    drawers = [folder, play, stop, convert, device]
    c = Canvas(16 * len(drawers), 16)
    for i, draw in enumerate(drawers):
        draw(c, 16 * i)
    write(os.path.join(out, "rc", "song_edit_bar.bmp"), bmp_bytes(c, background=TOOLBAR_MASK))
