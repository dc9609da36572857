#!/usr/bin/env python3
"""set-load-config.py EXE MAP

Points the load configuration directory of a linked PE image (PE32 or PE32+)
at its _load_config_used record (frame/load_config.cpp), whose address the
linker's map MAP gives, with the record's own Size field as the directory's
size, and writes the PE checksum anew. GNU ld 2.40 links the record but
leaves the directory empty; a linker that fills it in itself finds the same
values here, and the image stays as it is.

The image is checked before it is changed: its checksum must be the one that
the linker wrote (so that the one written here is computed the same way),
the record must lie in a section's data, and its Size must cover
DependentLoadFlags. The new image replaces EXE in one step; on any failure
EXE stays as it was.
"""
import os
import re
import struct
import sys

LOAD_CONFIG_ENTRY = 10
# The end of DependentLoadFlags in IMAGE_LOAD_CONFIG_DIRECTORY32 and 64.
DEPENDENT_LOAD_FLAGS_END = {0x10B: 56, 0x20B: 80}


def fail(message):
    sys.exit('set-load-config: ' + message)


def record_address(map_text):
    # "                0x0000000000425040                _load_config_used"
    # (on i386 with the C symbol prefix, "__load_config_used").
    found = re.findall(r'^\s+0x([0-9a-fA-F]+)\s+_?_load_config_used\s*$', map_text, re.M)
    if len(found) != 1:
        fail('the map names _load_config_used %d times, not once' % len(found))
    return int(found[0], 16)


def pe_checksum(image, checksum_at):
    # The sum of the image's 16-bit words with end-around carry, the checksum
    # field itself left out, plus the image's length.
    data = bytearray(image)
    data[checksum_at:checksum_at + 4] = b'\0\0\0\0'
    if len(data) % 2:
        data.append(0)
    total = sum(struct.unpack('<%dH' % (len(data) // 2), data))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(image)) & 0xFFFFFFFF


def main():
    if len(sys.argv) != 3:
        fail('usage: set-load-config.py EXE MAP')
    exe, map_file = sys.argv[1:]
    image = bytearray(open(exe, 'rb').read())
    with open(map_file, encoding='utf-8', errors='replace') as f:
        address = record_address(f.read())

    if image[:2] != b'MZ':
        fail('%s is no PE image' % exe)
    pe = struct.unpack_from('<I', image, 0x3C)[0]
    if image[pe:pe + 4] != b'PE\0\0':
        fail('%s is no PE image' % exe)
    sections, optional_size = struct.unpack_from('<2xH12xH', image, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from('<H', image, optional)[0]
    if magic == 0x10B:
        image_base = struct.unpack_from('<I', image, optional + 28)[0]
        directories = optional + 96
    elif magic == 0x20B:
        image_base = struct.unpack_from('<Q', image, optional + 24)[0]
        directories = optional + 112
    else:
        fail('unknown optional header 0x%x' % magic)
    checksum_at = optional + 64
    count = struct.unpack_from('<I', image, directories - 4)[0]
    if count <= LOAD_CONFIG_ENTRY:
        fail('the image has no load configuration directory entry')

    stored = struct.unpack_from('<I', image, checksum_at)[0]
    if stored != pe_checksum(image, checksum_at):
        fail('the checksum of %s is not the one the linker writes' % exe)

    rva = address - image_base
    offset = None
    table = optional + optional_size
    for index in range(sections):
        virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from(
            '<8xIIII', image, table + 40 * index)
        if virtual_address <= rva and rva + 4 <= virtual_address + min(virtual_size, raw_size):
            offset = raw_offset + rva - virtual_address
            end = raw_offset + min(virtual_size, raw_size)
            break
    if offset is None:
        fail('_load_config_used (RVA 0x%x) lies in no section data' % rva)
    size = struct.unpack_from('<I', image, offset)[0]
    if size < DEPENDENT_LOAD_FLAGS_END[magic] or offset + size > end:
        fail('the record at RVA 0x%x has the size %d' % (rva, size))

    entry = directories + 8 * LOAD_CONFIG_ENTRY
    current = struct.unpack_from('<II', image, entry)
    if current == (rva, size):
        return
    if current != (0, 0):
        fail('the load configuration directory is already (0x%x, %d)' % current)
    struct.pack_into('<II', image, entry, rva, size)
    struct.pack_into('<I', image, checksum_at, pe_checksum(image, checksum_at))

    temporary = exe + '.load-config'
    with open(temporary, 'wb') as f:
        f.write(image)
    os.chmod(temporary, os.stat(exe).st_mode)
    os.replace(temporary, exe)


if __name__ == '__main__':
    main()
