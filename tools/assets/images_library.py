"""The GUI library's own images, compiled in with its resource script
(guilib/core/KGPLibrary.rc): the customisation sheet's help button (the
classic look's and the blue look's) and the cursors of a dragged toolbar
button (moved, copied, or dropped where it is deleted)."""

import os

from imaging import Canvas, bmp_bytes, cur_bytes

MAGENTA = (255, 0, 255, 255)
BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
FACE = (212, 208, 200, 255)
EDGE = (64, 64, 64, 255)
RED = (204, 32, 32, 255)

# The pointer of every drag cursor: its tip is the hot spot (0, 0).
ARROW = [
    "X",
    "XX",
    "XoX",
    "XooX",
    "XoooX",
    "XooooX",
    "XoooooX",
    "XooooooX",
    "XoooooooX",
    "XooooooooX",
    "XoooooooooX",
    "XooooooXXXXX",
    "XoooXooX",
    "XooXXooX",
    "XoX  XooX",
    "XX   XooX",
    "X     XooX",
    "      XooX",
    "       XX",
]

# The help button's face: a question mark in a disc. X edge, B disc, W mark.
HELP = [
    "................",
    ".....XXXXXX.....",
    "...XXBBBBBBXX...",
    "..XBBBBBBBBBBX..",
    ".XBBBBWWWWBBBBX.",
    ".XBBBWWBBWWBBBX.",
    "XBBBBBBBBWWBBBBX",
    "XBBBBBBBWWBBBBBX",
    "XBBBBBBWWBBBBBBX",
    "XBBBBBBWWBBBBBBX",
    "XBBBBBBBBBBBBBBX",
    ".XBBBBBWWBBBBBX.",
    ".XBBBBBWWBBBBBX.",
    "..XBBBBBBBBBBX..",
    "...XXBBBBBBXX...",
    ".....XXXXXX.....",
]


def paint(canvas, art, colours, ox=0, oy=0):
    for y, row in enumerate(art):
        for x, ch in enumerate(row):
            if ch in colours:
                canvas.fill_rect(ox + x, oy + y, ox + x + 1, oy + y + 1, colours[ch])


def help_image(edge, disc, mark):
    canvas = Canvas(16, 16, MAGENTA)
    paint(canvas, HELP, {"X": edge, "B": disc, "W": mark})
    return canvas


def drag_cursor(sign):
    """The pointer over a small button; the sign at its corner tells the drop."""
    canvas = Canvas(32, 32)
    canvas.fill_rect(10, 20, 25, 30, EDGE)
    canvas.fill_rect(11, 21, 24, 29, FACE)
    paint(canvas, ARROW, {"X": BLACK, "o": WHITE})
    if sign == "copy":
        canvas.fill_rect(20, 23, 29, 32, BLACK)
        canvas.fill_rect(21, 24, 28, 31, WHITE)
        canvas.fill_rect(24, 25, 25, 30, BLACK)
        canvas.fill_rect(22, 27, 27, 28, BLACK)
    elif sign == "delete":
        canvas.fill_rect(20, 23, 29, 32, BLACK)
        canvas.fill_rect(21, 24, 28, 31, WHITE)
        for i in range(5):
            canvas.fill_rect(22 + i, 25 + i, 23 + i, 26 + i, RED)
            canvas.fill_rect(26 - i, 25 + i, 27 - i, 26 + i, RED)
    return canvas


def make(out, write):
    rc = os.path.join(out, "rc")
    write(os.path.join(rc, "kgp_help.bmp"), bmp_bytes(help_image(EDGE, WHITE, BLACK)))
    write(os.path.join(rc, "kgp_help_blue.bmp"),
          bmp_bytes(help_image((0, 45, 150, 255), (62, 120, 214, 255), WHITE)))
    for sign in ("move", "copy", "delete"):
        write(os.path.join(rc, "kgp_drag_%s.cur" % sign), cur_bytes(drag_cursor(sign), (0, 0)))
