#!/usr/bin/env python3
"""Draws the sample disc's panel pictures as 8-bit PCX files.

Every picture uses the background's palette: the panel shows button pixels
through the palette built from the background, whatever a button file's own
palette says, so all files share one. Indices 0-9 and 246-255 are left out
because the panel takes those entries from the system palette.

Text is rendered by ImageMagick (DejaVu fonts) as grey masks; the rest is
drawn here. Run from the repository root:
    tools/resources/make_sample_pictures.py examples/disc/InstData
"""
import os
import subprocess
import sys

# ---- the shared palette ----------------------------------------------------
SKY, SUNSET, GREY, GOLD = 10, 74, 138, 202  # first index of each 64-entry ramp


def ramp(start, end, count):
    return [tuple(round(a + (b - a) * i / (count - 1)) for a, b in zip(start, end)) for i in range(count)]


def build_palette():
    palette = [(0, 0, 0)] * 256
    for first, colours in ((SKY, ramp((8, 16, 64), (120, 190, 250), 64)),
                           (SUNSET, ramp((70, 20, 40), (250, 170, 60), 64)),
                           (GREY, ramp((20, 24, 32), (240, 240, 245), 64)),
                           (GOLD, ramp((90, 60, 0), (255, 230, 120), 44))):
        for i, colour in enumerate(colours):
            palette[first + i] = colour
    return palette


# ---- PCX -------------------------------------------------------------------
def rle_row(row):
    out = bytearray()
    i = 0
    while i < len(row):
        value = row[i]
        run = 1
        while i + run < len(row) and row[i + run] == value and run < 63:
            run += 1
        if run > 1 or value >= 0xC0:
            out += bytes((0xC0 | run, value))
        else:
            out.append(value)
        i += run
    return out


def write_pcx(path, width, height, pixels, palette):
    bytes_per_line = width + (width & 1)
    header = bytearray(128)
    header[0:4] = bytes((10, 5, 1, 8))
    header[8:10] = (width - 1).to_bytes(2, "little")
    header[10:12] = (height - 1).to_bytes(2, "little")
    header[12:14] = header[14:16] = (72).to_bytes(2, "little")
    header[65] = 1
    header[66:68] = bytes_per_line.to_bytes(2, "little")
    header[68:70] = (1).to_bytes(2, "little")
    data = bytearray()
    for y in range(height):
        row = pixels[y * width:(y + 1) * width] + [pixels[y * width + width - 1]] * (bytes_per_line - width)
        data += rle_row(row)
    with open(path, "wb") as out:
        out.write(bytes(header) + bytes(data) + b"\x0c" + bytes(c for rgb in palette for c in rgb))


# ---- drawing ---------------------------------------------------------------
def text_mask(text, width, height, size, font="DejaVu-Sans-Bold"):
    raw = subprocess.run(["convert", "-size", f"{width}x{height}", "-background", "black", "-fill", "white",
                          "-font", font, "-pointsize", str(size), "-gravity", "center", f"label:{text}",
                          "-depth", "8", "gray:-"], check=True, capture_output=True).stdout
    return list(raw[:width * height])


def blend(pixels, mask, ramp_first, ramp_length=64, shift=(0, 0), width=0):
    """Paints the mask over the pixels in a ramp, strongest where the mask is white."""
    dx, dy = shift
    out = list(pixels)
    height = len(pixels) // width
    for y in range(height):
        for x in range(width):
            sx, sy = x - dx, y - dy
            if 0 <= sx < width and 0 <= sy < height:
                level = mask[sy * width + sx]
                if level > 40:
                    out[y * width + x] = ramp_first + min(ramp_length - 1, level * ramp_length // 256)
    return out


def background(width=640, height=480):
    pixels = []
    for y in range(height):
        for x in range(width):
            if y < 300:
                pixels.append(SKY + min(63, y * 64 // 300))
            else:
                hill = 330 + int(25 * ((x / 640.0 - 0.4) ** 2) * 4)
                pixels.append(SUNSET + 20 + (y - 300) * 30 // 180 if y > hill else SKY + 63)
    title = text_mask("ZEPHRA", width, 120, 72)
    pixels[20 * width:140 * width] = blend(pixels[20 * width:140 * width], title, GOLD, 44, width=width)
    return pixels


def plate(width, height, face_first, text, text_first, shift=(0, 0), text_length=64):
    pixels = []
    for y in range(height):
        for x in range(width):
            edge = min(x, y, width - 1 - x, height - 1 - y)
            shade = 10 + y * 30 // height if edge > 2 else (50 if (x + y) < width else 5)
            pixels.append(face_first + shade)
    return blend(pixels, text_mask(text, width, height, 18), text_first, text_length, shift, width)


FACES = {  # suffix: (plate ramp, text ramp, text shift, text ramp length)
    "u.pcx": (GREY, GREY + 40, (0, 0), 24),
    "f.pcx": (SKY, GOLD, (0, 0), 44),
    "d.pcx": (SUNSET, GOLD, (1, 1), 44),
    "x.pcx": (GREY, GREY + 30, (0, 0), 6),
}
BUTTONS = {"Install": "Install", "Uninst": "Uninstall", "Play": "Play", "Quit": "Quit", "Web": "On the Web"}
GUIDES = {"_i.pcx": "Installs Zephra on your hard disk",
          "_u.pcx": "Removes Zephra from this computer",
          "_s.pcx": "Plays Zephra",
          "_e.pcx": "Leaves this program"}


def main(folder):
    palette = build_palette()
    write_pcx(os.path.join(folder, "Panel.pcx"), 640, 480, background(), palette)
    for base, label in BUTTONS.items():
        for suffix, (face, text, shift, length) in FACES.items():
            write_pcx(os.path.join(folder, base + suffix), 180, 44, plate(180, 44, face, label, text, shift, length),
                      palette)
    for suffix, text in GUIDES.items():
        pixels = plate(360, 36, SKY, text, GREY + 30, (0, 0), 34)
        write_pcx(os.path.join(folder, "Guide" + suffix), 360, 36, pixels, palette)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "examples/disc/InstData")
