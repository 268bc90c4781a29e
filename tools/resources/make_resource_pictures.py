#!/usr/bin/env python3
"""Draws the program's own resource pictures (bitmaps 139, 149-154, icon 128)
into src/platform/win32/res/. Run once; the outputs are committed."""
import math
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "platform", "win32", "res")
TEAL = (0, 128, 128)


def dib(width, height, bits, palette, pixel):
    """A BITMAPINFOHEADER, a full colour table and bottom-up rows of indices."""
    stride = (width * bits + 31) // 32 * 4
    rows = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            index = pixel(x, y)
            if bits == 8:
                row[x] = index
            else:
                per = 8 // bits
                row[x // per] |= index << (8 - bits * (x % per + 1))
        rows += row
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    colours += bytes(4 * ((1 << bits) - len(palette)))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 3780, 3780, 0, 0)
    return header + colours + bytes(rows)


def write_bmp(name, data):
    offset = 14 + 40 + (len(data) - 40 - struct.unpack_from("<I", data, 20)[0])
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 14 + len(data), 0, 0, offset) + data)


def splash():
    # A dusk sky over hills with a sun: 256 colours, bands of blue to orange.
    palette = []
    for i in range(256):
        t = i / 255
        palette.append((int(20 + 235 * t), int(30 + 140 * t * t), int(110 - 80 * t)))
    palette[0] = (0, 0, 0)
    palette[255] = (255, 255, 255)

    def pixel(x, y):
        hill = 170 + 25 * math.sin(x / 45.0) + 10 * math.sin(x / 13.0)
        if y > hill:
            return 1 + (x + y) % 3
        if (x - 470) ** 2 + (y - 120) ** 2 < 45 ** 2:
            return 254
        return max(4, min(250, int(250 * y / 245)))

    write_bmp("splash.bmp", dib(637, 245, 8, palette, pixel))


SIXTEEN = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), TEAL,
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def folder_icon(kind):
    """16 x 16 tree images on teal, the colour the image list leaves out."""
    def pixel(x, y):
        if kind == "drive":
            if 2 <= x <= 13 and 5 <= y <= 11:
                return 0 if y in (5, 11) or x in (2, 13) else (10 if (x, y) == (11, 9) else 7)
            return 6
        if kind == "group":
            if 2 <= x <= 13 and 3 <= y <= 12:
                return 0 if y in (3, 12) or x in (2, 13) else (4 if y <= 5 else 15)
            return 6
        body = 11 if kind != "open" else 15
        if 1 <= x <= 6 and 3 <= y <= 4:
            return 0 if y == 3 or x in (1, 6) else body
        if 1 <= x <= 14 and 4 <= y <= 13:
            if kind == "plus" and 6 <= x <= 10 and 6 <= y <= 10 and (x == 8 or y == 8):
                return 0
            return 0 if y in (4, 13) or x in (1, 14) else body
        return 6
    return dib(16, 16, 4, SIXTEEN, pixel)


def info_picture():
    # Sixteen colour bars under a band, 306 x 106, four bits per pixel.
    def pixel(x, y):
        if y < 20:
            return 4
        if y > 90:
            return 8
        return 1 + (x * 15) // 306
    return dib(306, 106, 4, SIXTEEN, pixel)


def icon():
    def pixel(x, y):
        d = (x - 15.5) ** 2 + (y - 15.5) ** 2
        if d < 14 ** 2:
            return 12 if d > 9 ** 2 else (11 if abs(x - y) < 3 or abs(x + y - 31) < 3 else 4)
        return 0
    body = dib(32, 32, 4, SIXTEEN, pixel)
    # An icon image is its bitmap with the height doubled and an AND mask after it.
    header = bytearray(body[:40])
    struct.pack_into("<i", header, 8, 64)
    mask = bytearray()
    for y in range(31, -1, -1):
        bits = 0
        for x in range(32):
            if (x - 15.5) ** 2 + (y - 15.5) ** 2 >= 14 ** 2:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    image = bytes(header) + body[40:] + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 22)
    with open(os.path.join(OUT, "setup.ico"), "wb") as f:
        f.write(directory + image)


def main():
    os.makedirs(OUT, exist_ok=True)
    splash()
    for number, kind in ((149, "closed"), (150, "open"), (151, "plus"), (152, "drive"), (153, "group")):
        write_bmp("tree%d.bmp" % number, folder_icon(kind))
    write_bmp("info.bmp", info_picture())
    icon()
    return 0


if __name__ == "__main__":
    sys.exit(main())
