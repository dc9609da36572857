"""Writes Windows icon files with classic bitmap entries: a BITMAPINFOHEADER
of double height, the colour (XOR) bitmap bottom-up, with a palette at 4 and
8 bits per pixel, and the 1-bit AND mask. 32-bit entries carry their alpha in
the colour bitmap and a mask derived from it.
"""

import struct

import numpy as np
from PIL import Image

# Pixels at least this opaque are drawn by the palette entries and left out
# of the AND mask.
OPAQUE = 128


def _row_bytes(width, bpp):
    return (width * bpp + 31) // 32 * 4


def _palette(rgb, count):
    """Up to `count` colours for the given (n, 3) opaque pixels."""
    strip = Image.fromarray(rgb.reshape(1, -1, 3).astype(np.uint8), "RGB")
    q = strip.quantize(colors=count, method=Image.Quantize.LIBIMAGEQUANT,
                       dither=Image.Dither.NONE)
    used = sorted(set(q.getdata()))
    flat = q.getpalette()
    return np.array([flat[3 * i:3 * i + 3] for i in used], dtype=np.int32)


def _nearest(rgb, palette):
    d = ((rgb[:, None, :].astype(np.int32) - palette[None, :, :]) ** 2).sum(axis=2)
    return d.argmin(axis=1)


def _and_mask(alpha):
    h, w = alpha.shape
    stride = _row_bytes(w, 1)
    out = bytearray()
    for y in range(h - 1, -1, -1):
        bits = np.packbits(alpha[y] < OPAQUE)
        out += bits.tobytes().ljust(stride, b"\0")
    return bytes(out)


def bitmap_entry(picture, bpp):
    """One icon image of `picture` (RGBA) at 4, 8 or 32 bits per pixel."""
    a = np.array(picture.convert("RGBA"))
    h, w = a.shape[:2]
    alpha = a[:, :, 3]
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bpp, 0,
                         _row_bytes(w, bpp) * h + _row_bytes(w, 1) * h, 0, 0, 0, 0)
    stride = _row_bytes(w, bpp)
    if bpp == 32:
        bgra = a[:, :, [2, 1, 0, 3]].copy()
        bgra[alpha == 0] = 0
        pixels = b"".join(bgra[y].tobytes() for y in range(h - 1, -1, -1))
        return header + pixels + _and_mask(alpha)
    if bpp not in (4, 8):
        raise ValueError(bpp)
    entries = 1 << bpp
    opaque = alpha >= OPAQUE
    rgb = a[:, :, :3][opaque]
    # Index 0 is black, the colour under the AND mask, so that transparent
    # pixels leave the screen unchanged.
    palette = _palette(rgb, entries - 1) if len(rgb) else np.zeros((0, 3), np.int32)
    index = np.zeros((h, w), dtype=np.uint8)
    if len(rgb):
        index[opaque] = _nearest(rgb, palette) + 1
    quad = bytearray(4 * entries)
    for i, (r, g, b) in enumerate(palette, start=1):
        quad[4 * i:4 * i + 4] = bytes((b, g, r, 0))
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = index[y]
        if bpp == 4:
            row = np.append(row, 0) if w % 2 else row
            packed = (row[0::2] << 4) | row[1::2]
        else:
            packed = row
        pixels += packed.astype(np.uint8).tobytes().ljust(stride, b"\0")
    return header + bytes(quad) + bytes(pixels) + _and_mask(alpha)


def write(path, images):
    """Writes an icon file of `images`, a list of (RGBA picture, bpp)."""
    blobs = [(p.size, bpp, bitmap_entry(p, bpp)) for p, bpp in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for (w, h), bpp, blob in blobs:
        colours = 16 if bpp == 4 else 0
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
    for _, _, blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)
    return len(out)
