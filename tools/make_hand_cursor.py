#!/usr/bin/env python3
"""Writes the program's hand pointer, a 32 x 32 monochrome .cur file.

The drawing below is the source: '#' is black outline, '.' white fill, any
other character transparent. The hot spot is the tip of the index finger.
Run: python3 tools/make_hand_cursor.py installer/resources/hand.cur
"""
import struct
import sys

DRAWING = """
     ##
    #..#
    #..#
    #..#
    #..#
    #..###
    #..#..###
    #..#..#..##
    #..#..#..#.#
 ## #..#..#..#..#
#..##........#..#
#...#...........#
 #..............#
  #.............#
  #.............#
   #............#
   #...........#
    #..........#
    #.........#
     #........#
     #........#
     ##########
"""
# The drawing is placed one pixel in from the top and the left edge, which
# puts the fingertip, and the hot spot, at (6, 1).
OFFSET = (1, 1)
HOT_SPOT = (6, 1)
SIZE = 32


def rows():
    lines = [" " * OFFSET[0] + line for line in DRAWING.strip("\n").split("\n")]
    lines = [""] * OFFSET[1] + lines
    lines += [""] * (SIZE - len(lines))
    return [line.ljust(SIZE)[:SIZE] for line in lines]


def mask_row(line, wanted):
    bits = 0
    for x, ch in enumerate(line):
        if wanted(ch):
            bits |= 1 << (SIZE - 1 - x)
    return struct.pack(">I", bits)


def main():
    picture = rows()
    # Device-independent bitmaps are stored bottom-up.
    xor = b"".join(mask_row(l, lambda c: c == ".") for l in reversed(picture))
    and_ = b"".join(mask_row(l, lambda c: c not in "#.") for l in reversed(picture))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0,
                         len(xor) + len(and_), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + xor + and_
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOT_SPOT[0], HOT_SPOT[1],
                        len(image), 6 + 16)
    with open(sys.argv[1], "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main()
