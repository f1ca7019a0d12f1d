"""Images of the style wizard: the source step's browse button (an open folder
on magenta, the transparent colour) and the value buttons' icon, an up and a
down arrow, grey and (hot) green."""

import os

from imaging import Canvas, bmp_bytes, ico_bytes

MAGENTA = (255, 0, 255, 255)
FOLDER = (232, 176, 48, 255)
FOLDER_EDGE = (160, 110, 20, 255)
FOLDER_FRONT = (248, 208, 96, 255)
GREY = (120, 128, 136, 255)
GREEN = (0, 128, 0, 255)


def _open_folder():
    c = Canvas(16, 16, MAGENTA)
    c.fill_rect(1, 3, 7, 5, FOLDER_EDGE)
    c.fill_rect(1, 4, 13, 14, FOLDER_EDGE)
    c.fill_rect(2, 5, 12, 13, FOLDER)
    c.polygon([(4, 7), (16, 7), (13, 14), (1, 14)], FOLDER_EDGE)
    c.polygon([(4.8, 8), (14.6, 8), (12.3, 13), (2.4, 13)], FOLDER_FRONT)
    return c


def _up_down(colour):
    c = Canvas(14, 14)
    c.polygon([(7, 1), (12, 6), (2, 6)], colour)
    c.polygon([(2, 8), (12, 8), (7, 13)], colour)
    return c


def make(out, write):
    rc = os.path.join(out, "rc")
    write(os.path.join(rc, "style_browse.bmp"), bmp_bytes(_open_folder()))
    write(os.path.join(rc, "value_button.ico"), ico_bytes([_up_down(GREY)]))
    write(os.path.join(rc, "value_button_active.ico"), ico_bytes([_up_down(GREEN)]))
