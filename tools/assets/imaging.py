"""Small raster toolkit for the program's generated images: an RGBA canvas with
the few shapes the skin needs, and writers for PNG, BMP, ICO and CUR.

Every image the program ships is drawn by code in this folder, so the build can
make them from source on any machine with Python 3 and nothing else."""

import struct
import zlib


class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [list(fill) for _ in range(width * height)]

    def _blend(self, x, y, colour, coverage=1.0):
        if not (0 <= x < self.width and 0 <= y < self.height):
            return
        r, g, b = colour[:3]
        a = (colour[3] if len(colour) > 3 else 255) / 255.0 * coverage
        dst = self.pixels[y * self.width + x]
        da = dst[3] / 255.0
        out_a = a + da * (1 - a)
        if out_a <= 0:
            self.pixels[y * self.width + x] = [0, 0, 0, 0]
            return
        for i, c in enumerate((r, g, b)):
            dst[i] = round((c * a + dst[i] * da * (1 - a)) / out_a)
        dst[3] = round(out_a * 255)

    def fill_rect(self, x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self._blend(x, y, colour)

    def vertical_gradient(self, x0, y0, x1, y1, top, bottom):
        span = max(1, y1 - y0 - 1)
        for y in range(max(0, y0), min(self.height, y1)):
            t = (y - y0) / span
            colour = tuple(round(top[i] + (bottom[i] - top[i]) * t) for i in range(len(top)))
            for x in range(max(0, x0), min(self.width, x1)):
                self._blend(x, y, colour)

    def rounded_rect(self, x0, y0, x1, y1, radius, colour):
        """Filled, anti-aliased by 4x4 supersampling at the corners."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                cov = self._rounded_coverage(x, y, x0, y0, x1, y1, radius)
                if cov > 0:
                    self._blend(x, y, colour, cov)

    @staticmethod
    def _rounded_coverage(x, y, x0, y0, x1, y1, r):
        inside = 0
        for sy in range(4):
            for sx in range(4):
                px = x + (sx + 0.5) / 4
                py = y + (sy + 0.5) / 4
                cx = min(max(px, x0 + r), x1 - r)
                cy = min(max(py, y0 + r), y1 - r)
                if (px - cx) ** 2 + (py - cy) ** 2 <= r * r:
                    inside += 1
        return inside / 16.0

    def disc(self, cx, cy, radius, colour):
        self.rounded_rect(round(cx - radius), round(cy - radius),
                          round(cx + radius) + 1, round(cy + radius) + 1, radius, colour)

    def polygon(self, points, colour):
        """Even-odd fill, 4x4 supersampled."""
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        for y in range(max(0, int(min(ys))), min(self.height, int(max(ys)) + 1)):
            for x in range(max(0, int(min(xs))), min(self.width, int(max(xs)) + 1)):
                hits = 0
                for sy in range(4):
                    for sx in range(4):
                        if _inside(points, x + (sx + 0.5) / 4, y + (sy + 0.5) / 4):
                            hits += 1
                if hits:
                    self._blend(x, y, colour, hits / 16.0)

    def rows_rgba(self):
        for y in range(self.height):
            yield self.pixels[y * self.width:(y + 1) * self.width]


def _inside(points, x, y):
    result = False
    n = len(points)
    for i in range(n):
        x0, y0 = points[i]
        x1, y1 = points[(i + 1) % n]
        if (y0 > y) != (y1 > y) and x < (x1 - x0) * (y - y0) / (y1 - y0) + x0:
            result = not result
    return result


def png_bytes(canvas):
    raw = bytearray()
    for row in canvas.rows_rgba():
        raw.append(0)
        for p in row:
            raw.extend(p)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def bmp_bytes(canvas, background=(255, 0, 255)):
    """24-bit bottom-up BMP; transparent pixels take the key colour."""
    stride = (canvas.width * 3 + 3) & ~3
    data = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for p in canvas.pixels[y * canvas.width:(y + 1) * canvas.width]:
            a = p[3] / 255.0
            rgb = [round(p[i] * a + background[i] * (1 - a)) for i in range(3)]
            row.extend((rgb[2], rgb[1], rgb[0]))
        row.extend(b"\0" * (stride - len(row)))
        data.extend(row)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0,
                       len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + bytes(data)


def ico_bytes(canvases):
    """An icon file holding one 32-bit DIB image (with its AND mask) per canvas."""
    return _icon_file(canvases, 1, lambda canvas: (1, 32))


def cur_bytes(canvas, hotspot):
    """A cursor file holding one 32-bit DIB image (with its AND mask) whose
    hot spot is the point (x, y)."""
    return _icon_file([canvas], 2, lambda _: hotspot)


def _icon_file(canvases, kind, entry_words):
    """Icons (kind 1) and cursors (kind 2) share one layout; the two words of
    each directory entry are planes and bits, or the hot spot."""
    images = []
    for c in canvases:
        xor = bytearray()
        for y in range(c.height - 1, -1, -1):
            for p in c.pixels[y * c.width:(y + 1) * c.width]:
                xor.extend((p[2], p[1], p[0], p[3]))
        mask_stride = ((c.width + 31) // 32) * 4
        mask = bytearray()
        for y in range(c.height - 1, -1, -1):
            row = bytearray(mask_stride)
            for x in range(c.width):
                if c.pixels[y * c.width + x][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask.extend(row)
        info = struct.pack("<IiiHHIIiiII", 40, c.width, c.height * 2, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        images.append(info + bytes(xor) + bytes(mask))
    out = bytearray(struct.pack("<HHH", 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    for canvas, data in zip(canvases, images):
        first, second = entry_words(canvas)
        out.extend(struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0,
                               first, second, len(data), offset))
        offset += len(data)
    for data in images:
        out.extend(data)
    return bytes(out)
