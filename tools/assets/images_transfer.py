"""Images of the transfer pages: the toolbar strips (PC bar: add, remove,
download; device bar: delete, upload; memory device bar: upload), on the light
grey that toolbar image lists take as transparent."""

import os

from imaging import Canvas, bmp_bytes

BLUE = (52, 101, 164, 255)
GREEN = (78, 154, 6, 255)
RED = (204, 0, 0, 255)
ORANGE = (206, 92, 0, 255)
TOOLBAR_MASK = (192, 192, 192)


def plus(c, ox):
    c.fill_rect(ox + 7, 2, ox + 9, 14, GREEN)
    c.fill_rect(ox + 2, 7, ox + 14, 9, GREEN)


def cross(c, ox):
    for i in range(3, 13):
        c.fill_rect(ox + i, i, ox + i + 2, i + 1, RED)
        c.fill_rect(ox + 15 - i - 2, i, ox + 15 - i, i + 1, RED)


def arrow_right(c, ox, colour):
    c.fill_rect(ox + 2, 6, ox + 9, 10, colour)
    c.polygon([(ox + 9, 2), (ox + 15, 8), (ox + 9, 14)], colour)


def arrow_left(c, ox, colour):
    c.fill_rect(ox + 7, 6, ox + 14, 10, colour)
    c.polygon([(ox + 7, 2), (ox + 1, 8), (ox + 7, 14)], colour)


def strip(drawers):
    c = Canvas(16 * len(drawers), 16)
    for i, draw in enumerate(drawers):
        draw(c, 16 * i)
    return c


def toolbar_bmp(canvas):
    return bmp_bytes(canvas, background=TOOLBAR_MASK)


def make(out, write):
    rc = os.path.join(out, "rc")
    write(os.path.join(rc, "transfer_pc_bar.bmp"),
          toolbar_bmp(strip([plus, cross, lambda c, ox: arrow_right(c, ox, BLUE)])))
    write(os.path.join(rc, "transfer_dev_bar.bmp"),
          toolbar_bmp(strip([cross, lambda c, ox: arrow_left(c, ox, ORANGE)])))
    write(os.path.join(rc, "transfer_mem_bar.bmp"),
          toolbar_bmp(strip([lambda c, ox: arrow_left(c, ox, ORANGE)])))
