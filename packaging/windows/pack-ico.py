#!/usr/bin/env python3
"""Packs PNG images into a Windows icon file, one entry per image, each kept as PNG (which
Windows reads in icons since Vista).   pack-ico.py OUT.ico IMAGE.png..."""
import struct
import sys


def png_size(data: bytes) -> tuple[int, int]:
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit("pack-ico.py: not a PNG image")
    return struct.unpack(">II", data[16:24])


def main() -> None:
    out, images = sys.argv[1], [open(path, "rb").read() for path in sys.argv[2:]]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, bodies = b"", b""
    for data in images:
        width, height = png_size(data)
        if width > 256 or height > 256:
            sys.exit("pack-ico.py: an icon image is at most 256 pixels wide and high")
        # 256 is written as 0; colour count, reserved, planes, bits per pixel.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                               len(data), offset + len(bodies))
        bodies += data
    with open(out, "wb") as f:
        f.write(header + entries + bodies)


main()
