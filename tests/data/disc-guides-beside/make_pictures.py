#!/usr/bin/env python3
"""Draws this disc's pictures with the sample disc's drawing code and palette.

Each button's four faces have different sizes, and the guide pictures are
narrower than the sample's so that each fits beside its button. Run from
the repository root:
    tests/data/disc-guides-beside/make_pictures.py tests/data/disc-guides-beside/InstData
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "resources"))
import make_sample_pictures as sample  # noqa: E402

FACE_SIZES = {"u.pcx": (180, 44), "d.pcx": (192, 48), "f.pcx": (204, 52), "x.pcx": (172, 40)}
GUIDES = {"_i.pcx": "Installs Zephra", "_u.pcx": "Removes Zephra", "_s.pcx": "Plays Zephra", "_e.pcx": "Leaves"}
GUIDE_SIZE = (230, 36)


def main(folder):
    palette = sample.build_palette()
    sample.write_pcx(os.path.join(folder, "Panel.pcx"), 640, 480, sample.background(), palette)
    for base, label in sample.BUTTONS.items():
        for suffix, (face, text, shift, length) in sample.FACES.items():
            width, height = FACE_SIZES[suffix]
            pixels = sample.plate(width, height, face, label, text, shift, length)
            sample.write_pcx(os.path.join(folder, base + suffix), width, height, pixels, palette)
    width, height = GUIDE_SIZE
    for suffix, text in GUIDES.items():
        pixels = sample.plate(width, height, sample.SKY, text, sample.GREY + 30, (0, 0), 34)
        sample.write_pcx(os.path.join(folder, "Guide" + suffix), width, height, pixels, palette)


if __name__ == "__main__":
    main(sys.argv[1])
