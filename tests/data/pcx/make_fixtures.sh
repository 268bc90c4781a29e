#!/usr/bin/env bash
# Makes the PCX fixtures with ImageMagick (Debian's imagemagick, 6.9.11) and
# what ImageMagick itself reads back from them as raw RGB. Run once in this
# folder; the outputs are committed.
set -euo pipefail
cd "$(dirname "$0")"
# 256 colours of a swirled two-way gradient: many indices of 0xC0 and more.
convert -size 64x48 gradient:red-blue \( -size 64x48 gradient:yellow-green -rotate 90 \) -compose multiply \
  -composite -swirl 120 -colors 256 -type Palette PCX:swirl.pcx
# An odd width: ImageMagick writes an odd BytesPerLine.
convert -size 33x17 pattern:checkerboard -fill '#2060c0' -draw 'circle 16,8 16,2' -colors 16 -type Palette \
  PCX:odd_width.pcx
# Long runs of one colour, longer than one run code holds.
convert -size 200x3 xc:'#c08040' -fill '#103050' -draw 'rectangle 150,0 199,2' -type Palette PCX:long_runs.pcx
for picture in swirl odd_width long_runs; do
  convert "$picture.pcx" -depth 8 "rgb:$picture.rgb"
done
