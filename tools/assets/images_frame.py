"""The main frame's images: the status bar's cancel-transfer button, a 16 x 16
cross on magenta (the transparent colour), plain and hot."""

import os

from imaging import Canvas, bmp_bytes

MAGENTA = (255, 0, 255, 255)


def _cross(colour, ring):
    canvas = Canvas(16, 16, MAGENTA)
    canvas.rounded_rect(1, 1, 15, 15, 4, ring)
    for i in range(4, 12):
        for width in (0, 1):
            canvas.fill_rect(i + width, i, i + width + 1, i + 1, colour)
            canvas.fill_rect(15 - i - width, i, 16 - i - width, i + 1, colour)
    return canvas


def make(out, write):
    rc = os.path.join(out, "rc")
    write(os.path.join(rc, "cancel_transfer.bmp"),
          bmp_bytes(_cross((255, 255, 255, 255), (196, 64, 52, 255))))
    write(os.path.join(rc, "cancel_transfer_active.bmp"),
          bmp_bytes(_cross((255, 255, 255, 255), (232, 96, 72, 255))))
