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
    write(os.path.join(rc, "kgp_print_preview32.bmp"), bmp32_bytes(preview_strip()))


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


# ---- The print preview's toolbar in full colour (32 bits with alpha), for
# displays that show it: print, next page, previous page, one page, two pages,
# zoom in, zoom out and close, 16 x 15 each, in the order of the toolbar
# resource's buttons (the 24-bit strip beside the library's script has the
# same order).

PREVIEW_INK = (40, 48, 64, 255)
PREVIEW_PAPER = (255, 255, 255, 255)
PREVIEW_LINE = (150, 164, 188, 255)


def bmp32_bytes(canvas):
    """32-bit bottom-up BMP whose fourth byte is each pixel's (straight) alpha."""
    import struct
    data = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        for p in canvas.pixels[y * canvas.width:(y + 1) * canvas.width]:
            data.extend((p[2], p[1], p[0], p[3]))
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 32, 0,
                       len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + bytes(data)


def preview_outlined(c, x0, y0, x1, y1, fill, edge=PREVIEW_INK):
    c.fill_rect(x0, y0, x1, y1, edge)
    c.fill_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)


def preview_page(c, x0, y0, x1, y1):
    """A sheet with a turned corner and lines of text."""
    preview_outlined(c, x0, y0, x1, y1, PREVIEW_PAPER)
    c.polygon([(x1 - 4, y0), (x1, y0 + 4), (x1 - 4, y0 + 4)], (200, 210, 228, 255))
    c.fill_rect(x1 - 4, y0, x1, y0 + 1, (0, 0, 0, 0))
    for y in range(y0 + 5, y1 - 2, 2):
        c.fill_rect(x0 + 2, y, x1 - 2, y + 1, PREVIEW_LINE)


def preview_printer(c, ox):
    preview_outlined(c, ox + 4, 1, ox + 12, 7, PREVIEW_PAPER)
    c.rounded_rect(ox + 1, 6, ox + 15, 13, 2, PREVIEW_INK)
    c.vertical_gradient(ox + 2, 7, ox + 14, 12, (214, 220, 232, 255), (128, 140, 160, 255))
    c.fill_rect(ox + 4, 10, ox + 12, 11, (70, 80, 100, 255))
    c.fill_rect(ox + 12, 8, ox + 13, 9, (40, 190, 70, 255))
    preview_outlined(c, ox + 4, 11, ox + 12, 15, PREVIEW_PAPER)


def preview_arrow(c, ox, right):
    points = [(2, 5), (8, 5), (8, 1.5), (14.5, 7.5), (8, 13.5), (8, 10), (2, 10)]
    inner = [(3, 6), (9, 6), (9, 4), (13, 7.5), (9, 11), (9, 9), (3, 9)]
    if not right:
        points = [(16 - x, y) for x, y in points]
        inner = [(16 - x, y) for x, y in inner]
    c.polygon([(ox + x, y) for x, y in points], (16, 60, 150, 255))
    c.polygon([(ox + x, y) for x, y in inner], (70, 140, 230, 255))


def preview_one_page(c, ox):
    preview_page(c, ox + 3, 0, ox + 13, 15)


def preview_two_pages(c, ox):
    preview_page(c, ox + 0, 1, ox + 8, 14)
    preview_page(c, ox + 9, 1, ox + 16, 14)


def preview_magnifier(c, ox, plus):
    handle = [(8.5, 10), (10, 8.5), (15.5, 13), (14, 14.5)]
    c.polygon([(ox + x, y) for x, y in handle], (130, 80, 36, 255))
    c.disc(ox + 6, 6, 5, PREVIEW_INK)
    c.disc(ox + 6, 6, 3.7, (225, 240, 255, 255))
    c.fill_rect(ox + 4, 5, ox + 9, 7, PREVIEW_INK)
    if plus:
        c.fill_rect(ox + 5, 3, ox + 7, 9, PREVIEW_INK)


def preview_close(c, ox):
    red = (200, 36, 36, 255)
    c.polygon([(ox + 2, 3), (ox + 4, 1), (ox + 14, 11), (ox + 12, 13)], red)
    c.polygon([(ox + 12, 1), (ox + 14, 3), (ox + 4, 13), (ox + 2, 11)], red)


def preview_strip():
    canvas = Canvas(8 * 16, 15)
    drawings = [preview_printer, lambda c, ox: preview_arrow(c, ox, True),
                lambda c, ox: preview_arrow(c, ox, False), preview_one_page, preview_two_pages,
                lambda c, ox: preview_magnifier(c, ox, True), lambda c, ox: preview_magnifier(c, ox, False),
                preview_close]
    for i, draw in enumerate(drawings):
        draw(canvas, 16 * i)
    return canvas
