// The variable-length-code LZW decompression of GIF image data. Pure code:
// builds for Windows and for the host.
#pragma once

#include <cstdint>

// Decodes the image data that starts at `*position` in `data` (`size`
// bytes): data sub-blocks (a length byte 1..255 and that many bytes, ended by
// a 0 length) holding LZW codes of `rootBits` (1..8) bits per root, into
// exactly `count` palette indexes at `out`. Codes past the first `count`
// indexes are read but not written; a string that would run past the end
// stops there. On success `*position` stands after the terminating 0 length.
// False for codes the table does not hold yet, and for data that ends before
// `count` indexes were written.
bool DecodeGifLzw(const uint8_t* data, uint32_t size, uint32_t* position, uint32_t rootBits,
                  uint8_t* out, uint32_t count);
