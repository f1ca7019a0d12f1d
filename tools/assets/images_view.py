"""Images of the instrument chooser and the page tree: the connect and refresh
button bitmaps, the tree's group and item bitmaps, and the tree's hand cursor."""

import os
import struct

from imaging import Canvas, bmp_bytes, ico_bytes

BLUE = (52, 101, 164, 255)
LIGHT_BLUE = (114, 159, 207, 255)
GREEN = (78, 154, 6, 255)
ORANGE = (206, 92, 0, 255)
WHITE = (255, 255, 255, 255)
DARK = (46, 52, 54, 255)


def plug(size):
    c = Canvas(size, size)
    m = size // 2
    c.rounded_rect(2, m - 3, size - 6, m + 3, 2, GREEN)
    c.fill_rect(size - 6, m - 1, size - 1, m + 1, GREEN)
    c.fill_rect(4, m - 6, 6, m - 3, DARK)
    c.fill_rect(4, m + 3, 6, m + 6, DARK)
    return c


def circular_arrows(size):
    """A ring open at the upper right with an arrow head at its end."""
    c = Canvas(size, size)
    centre = (size - 1) / 2
    outer, inner = size / 2 - 1, size / 2 - 4
    for y in range(size):
        for x in range(size):
            dx, dy = x - centre, y - centre
            d2 = dx * dx + dy * dy
            if inner * inner <= d2 <= outer * outer and not (dx > 0 and dy < 0):
                c.fill_rect(x, y, x + 1, y + 1, BLUE)
    c.polygon([(centre, 0), (centre + 5, 3), (centre, 7)], BLUE)
    return c


def folder(size, colour):
    c = Canvas(size, size)
    c.rounded_rect(2, 6, size // 2, 10, 2, colour)
    c.rounded_rect(2, 8, size - 2, size - 4, 3, colour)
    c.fill_rect(4, 12, size - 4, 13, WHITE)
    return c


def page(size, colour):
    c = Canvas(size, size)
    c.rounded_rect(size // 4, 3, size * 3 // 4 + 2, size - 3, 2, DARK)
    c.fill_rect(size // 4 + 1, 4, size * 3 // 4 + 1, size - 4, WHITE)
    for y in range(8, size - 6, 4):
        c.fill_rect(size // 4 + 3, y, size * 3 // 4 - 1, y + 1, colour)
    return c


def hand_cursor():
    c = Canvas(32, 32)
    c.fill_rect(8, 2, 12, 16, DARK)
    c.fill_rect(9, 3, 11, 16, WHITE)
    c.rounded_rect(6, 14, 22, 28, 4, DARK)
    c.rounded_rect(7, 15, 21, 27, 3, WHITE)
    return c


def cur_bytes(canvas, hot_x, hot_y):
    """A cursor file: the icon layout with type 2 and the hot spot in the
    directory entry."""
    data = bytearray(ico_bytes([canvas]))
    struct.pack_into("<H", data, 2, 2)
    struct.pack_into("<HH", data, 6 + 4, hot_x, hot_y)
    return bytes(data)


def make(out, write):
    rc = os.path.join(out, "rc")
    write(os.path.join(rc, "selectdev_connect.bmp"), bmp_bytes(plug(16)))
    write(os.path.join(rc, "selectdev_refresh.bmp"), bmp_bytes(circular_arrows(16)))
    write(os.path.join(rc, "tree_group.bmp"), bmp_bytes(folder(24, ORANGE)))
    write(os.path.join(rc, "tree_page_item.bmp"), bmp_bytes(page(24, BLUE)))
    write(os.path.join(rc, "tree_edit_item.bmp"), bmp_bytes(page(24, GREEN)))
    write(os.path.join(rc, "tree_item.cur"), cur_bytes(hand_cursor(), 10, 2))
