#!/usr/bin/env python3
"""Copies an .ico file keeping only the images of at most 48 x 48 pixels.

The updater shows its icon in a small window's caption and the taskbar; the large images
of the product's icon would only make the program the client carries bigger.
    small_icon.py IN.ico OUT.ico
"""
import struct
import sys


def main(source: str, target: str) -> int:
    data = open(source, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    entries = []
    for i in range(count):
        width, height, colours, res, planes, bits, size, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        # 0 stands for 256.
        if 0 < width <= 48 and 0 < height <= 48:
            entries.append((width, height, colours, res, planes, bits, data[offset:offset + size]))
    if reserved != 0 or kind != 1 or not entries:
        print(f"small_icon: {source} holds no small icon image", file=sys.stderr)
        return 1
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for width, height, colours, res, planes, bits, image in entries:
        out += struct.pack("<BBBBHHII", width, height, colours, res, planes, bits, len(image), offset)
        offset += len(image)
    for entry in entries:
        out += entry[-1]
    with open(target, "wb") as f:
        f.write(out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
