"""Images of the song editor: the toolbar strip (open, play, stop, convert,
output device), drawn like the transfer pages' strips."""

import os

from images_transfer import BLUE, GREEN, RED, arrow_right, strip, toolbar_bmp

DARK = (46, 52, 54, 255)
YELLOW = (237, 212, 0, 255)
WHITE = (255, 255, 255, 255)


def folder(c, ox):
    c.fill_rect(ox + 1, 4, ox + 7, 6, YELLOW)
    c.fill_rect(ox + 1, 6, ox + 15, 14, YELLOW)
    c.fill_rect(ox + 1, 13, ox + 15, 14, DARK)


def play(c, ox):
    c.polygon([(ox + 4, 2), (ox + 14, 8), (ox + 4, 14)], GREEN)


def stop(c, ox):
    c.fill_rect(ox + 3, 3, ox + 13, 13, RED)


def device(c, ox):
    c.fill_rect(ox + 1, 5, ox + 15, 12, DARK)
    for i in range(4):
        c.fill_rect(ox + 3 + 3 * i, 7, ox + 5 + 3 * i, 10, WHITE)


def make(out, write):
    write(os.path.join(out, "rc", "song_edit_bar.bmp"),
          toolbar_bmp(strip([folder, play, stop, lambda c, ox: arrow_right(c, ox, BLUE), device])))
