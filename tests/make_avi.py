#!/usr/bin/env python3
"""Writes an uncompressed AVI that DirectShow (and Wine's GStreamer) can
open: FRAMES frames of 16x16 24-bit pictures at RATE/SCALE frames per
second, no audio.

usage: make_avi.py PATH FRAMES RATE [SCALE]
"""
import struct
import sys

W = H = 16
FRAME_BYTES = W * H * 3


def chunk(fourcc, body):
    return fourcc + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")


def avi(frames, rate, scale=1):
    usec = 1000000 * scale // rate
    avih = struct.pack("<14I", usec, FRAME_BYTES * rate // scale, 0, 0x10, frames, 0, 1, FRAME_BYTES, W, H, 0, 0, 0, 0)
    strh = b"vidsDIB " + struct.pack("<IHHIIIIIIII4H", 0, 0, 0, 0, scale, rate, 0, frames, FRAME_BYTES, 0xFFFFFFFF,
                                     0, 0, 0, W, H)
    strf = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, FRAME_BYTES, 0, 0, 0, 0)
    strl = chunk(b"LIST", b"strl" + chunk(b"strh", strh) + chunk(b"strf", strf))
    hdrl = chunk(b"LIST", b"hdrl" + chunk(b"avih", avih) + strl)
    movi, idx1, offset = b"", b"", 4
    for i in range(frames):
        movi += chunk(b"00db", bytes([i * 5 % 256]) * FRAME_BYTES)
        idx1 += b"00db" + struct.pack("<III", 0x10, offset, FRAME_BYTES)
        offset += 8 + FRAME_BYTES
    return chunk(b"RIFF", b"AVI " + hdrl + chunk(b"LIST", b"movi" + movi) + chunk(b"idx1", idx1))


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(avi(*map(int, sys.argv[2:])))
