"""Writes the checksum of each block that the setup program carries.

    block_checksums.py OUTPUT.h NAME=FILE...

OUTPUT.h defines NAME as the CRC-32 of FILE's bytes (zlib's, which the
program computes again at run time) for the assembler file that stores the
blocks. The file is rewritten only when a checksum changed.
"""
import sys
import zlib


def main(arguments):
    output, blocks = arguments[0], arguments[1:]
    lines = ["/* The CRC-32 of each block's bytes, written by the build"
             " (cmake/block_checksums.py). */"]
    for block in blocks:
        name, path = block.split("=", 1)
        with open(path, "rb") as stored:
            checksum = zlib.crc32(stored.read()) & 0xFFFFFFFF
        lines.append("#define %s 0x%08X" % (name, checksum))
    text = "\n".join(lines) + "\n"
    try:
        with open(output) as earlier:
            if earlier.read() == text:
                return 0
    except OSError:
        pass
    with open(output, "w") as written:
        written.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
