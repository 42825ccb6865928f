#!/usr/bin/env python3
"""Writes padded.png: a 1 x 1 PNG carrying 64 KiB in a private ancillary chunk, so that loading it
copies many bytes but decodes almost nothing. Run from this folder; the output is committed."""
import struct
import zlib


def chunk(kind: bytes, data: bytes) -> bytes:
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


header = struct.pack(">IIBBBBB", 1, 1, 8, 6, 0, 0, 0)  # 1 x 1, 8-bit RGBA
pixels = zlib.compress(b"\x00\x10\x20\x30\xff")  # filter byte, then one pixel
with open("padded.png", "wb") as out:
    out.write(b"\x89PNG\r\n\x1a\n")
    out.write(chunk(b"IHDR", header))
    out.write(chunk(b"prVt", bytes(64 * 1024)))  # lower-case first letter: skipped by decoders
    out.write(chunk(b"IDAT", pixels))
    out.write(chunk(b"IEND", b""))
