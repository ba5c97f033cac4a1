#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Draws the program's icon images from ui/icons/melivant-helper.svg: PNGs of 16, 32 and 48
# pixels and a Windows .ico holding all three, all in 24-bit colour. Rerun after editing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh icons
cd ui/icons

for size in 16 32 48; do
  rsvg-convert -w "$size" -h "$size" melivant-helper.svg |
    convert - -background black -alpha remove -alpha off -type TrueColor \
      -define png:color-type=2 -define png:exclude-chunk=date,time \
      "PNG24:melivant-helper-$size.png"
done
# ImageMagick writes .ico images with an alpha channel; this writes them as 24-bit bitmaps.
python3 - <<'PY'
import struct, subprocess

images = []
for size in (16, 32, 48):
    rgb = subprocess.run(["convert", f"melivant-helper-{size}.png", "rgb:-"],
                         check=True, capture_output=True).stdout
    row_bytes = (size * 3 + 3) & ~3
    mask_row_bytes = ((size + 31) // 32) * 4
    pixels = b"".join(
        b"".join(rgb[(y * size + x) * 3:(y * size + x) * 3 + 3][::-1] for x in range(size)).ljust(row_bytes, b"\0")
        for y in reversed(range(size)))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    images.append((size, header + pixels + b"\0" * mask_row_bytes * size))

offset = 6 + 16 * len(images)
with open("melivant-helper.ico", "wb") as ico:
    ico.write(struct.pack("<HHH", 0, 1, len(images)))
    for size, data in images:
        ico.write(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(data), offset))
        offset += len(data)
    for _, data in images:
        ico.write(data)
PY
