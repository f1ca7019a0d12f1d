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
    write(os.path.join(rc, "kgp_tasks_nav.bmp"), bmp_bytes(tasks_nav_strip(NAV_BASIC), NAV_BACKGROUND))
    write(os.path.join(rc, "kgp_tasks_nav_full.bmp"), bmp_bytes(tasks_nav_strip(NAV_FULL), NAV_BACKGROUND))


# The tasks pane's navigation bar: back, forward, home and close, 16 x 15 each,
# on the grey that toolbar strips take as transparent. X outline, L and G the
# arrow's lit and shaded halves, R roof, W wall, B window, D door, C cross.
NAV_BACKGROUND = (192, 192, 192)
NAV_BACK = [
    "................",
    "................",
    "......XX........",
    ".....XLX........",
    "....XLLX........",
    "...XLLLXXXXXXX..",
    "..XLLLLLLLLLLX..",
    ".XGGGGGGGGGGGX..",
    "..XGGGGGGGGGGX..",
    "...XGGGXXXXXXX..",
    "....XGGX........",
    ".....XGX........",
    "......XX........",
    "................",
    "................",
]
NAV_HOME = [
    "................",
    ".......XX.......",
    "......XRRX......",
    ".....XRRRRX.....",
    "....XRRRRRRX....",
    "...XRRRRRRRRX...",
    "..XXXXXXXXXXXX..",
    "...XWWWWWWWWX...",
    "...XWWWWWDDWX...",
    "...XWBBWWDDWX...",
    "...XWBBWWDDWX...",
    "...XWWWWWDDWX...",
    "...XWWWWWDDWX...",
    "...XXXXXXXXXX...",
    "................",
]
NAV_CLOSE = [
    "................",
    "................",
    "...XX......XX...",
    "...XCX....XCX...",
    "....XCX..XCX....",
    ".....XCXXCX.....",
    "......XCCX......",
    "......XCCX......",
    ".....XCXXCX.....",
    "....XCX..XCX....",
    "...XCX....XCX...",
    "...XX......XX...",
    "................",
    "................",
    "................",
]
# The basic strip keeps to the 16 standard colours; the full-colour one lights
# the arrows' upper halves and softens the outline.
NAV_BASIC = {"X": BLACK, "L": (0, 128, 0, 255), "G": (0, 128, 0, 255), "R": (128, 0, 0, 255),
             "W": WHITE, "B": (0, 0, 128, 255), "D": (128, 128, 0, 255), "C": (255, 0, 0, 255)}
NAV_FULL = {"X": (48, 56, 48, 255), "L": (124, 204, 112, 255), "G": (40, 150, 56, 255),
            "R": (200, 62, 40, 255), "W": (250, 240, 214, 255), "B": (92, 150, 220, 255),
            "D": (150, 96, 46, 255), "C": (214, 44, 40, 255)}


def tasks_nav_strip(colours):
    canvas = Canvas(4 * 16, 15, NAV_BACKGROUND + (255,))
    forward = [row[::-1] for row in NAV_BACK]
    for i, art in enumerate((NAV_BACK, forward, NAV_HOME, NAV_CLOSE)):
        paint(canvas, art, colours, 16 * i)
    return canvas
