// GIF's LZW: codes start at rootBits + 1 bits and grow by one each time the
// table's next free code reaches a power of two, up to 12 bits. Code
// 2^rootBits clears the table, the one after it ends the data. Once the
// table holds 4096 strings it stays as it is until the next clear. Codes are
// packed least significant bit first across the sub-blocks.
#include "widgets/image/gif_lzw.h"

namespace {

constexpr uint32_t kMaxCodes = 4096;
constexpr uint32_t kMaxCodeBits = 12;

// Every string is a shorter one (its prefix) plus one byte; strings are
// written backwards from their last byte, so each code's length and first
// byte are kept with it.
struct CodeTable {
  uint16_t prefix[kMaxCodes];
  uint8_t suffix[kMaxCodes];
  uint8_t first[kMaxCodes];
  uint16_t length[kMaxCodes];
};

// Reads bits across the sub-blocks.
struct BitReader {
  const uint8_t* data;
  uint32_t size;
  uint32_t next;       // the next byte to read
  uint32_t blockLeft;  // bytes of the current sub-block not yet read
  uint32_t bits = 0;
  uint32_t bitCount = 0;
  bool ended = false;   // the 0 length that ends the sub-blocks was read
  bool broken = false;  // a sub-block runs past the end of the data

  // False when the sub-blocks ended (or broke) before `codeBits` more bits.
  bool Fill(uint32_t codeBits) {
    while (bitCount < codeBits) {
      if (blockLeft == 0) {
        if (ended || next >= size) return Break();
        blockLeft = data[next++];
        if (blockLeft == 0) {
          ended = true;
          return false;
        }
        if (blockLeft > size - next) return Break();
      }
      bits |= uint32_t(data[next++]) << bitCount;
      bitCount += 8;
      --blockLeft;
    }
    return true;
  }

  bool Break() {
    broken = true;
    return false;
  }

  uint32_t Take(uint32_t codeBits) {
    const uint32_t code = bits & ((1u << codeBits) - 1);
    bits >>= codeBits;
    bitCount -= codeBits;
    return code;
  }

  // Moves past what is left of the sub-blocks and their terminator.
  bool SkipRest() {
    if (ended) return true;
    if (blockLeft > size - next) return false;
    next += blockLeft;
    blockLeft = 0;
    for (;;) {
      if (next >= size) return false;
      const uint32_t length = data[next++];
      if (length == 0) return true;
      if (length > size - next) return false;
      next += length;
    }
  }
};

// Writes the string of `code` at out[written...], cut at `count`.
inline uint32_t WriteString(const CodeTable& table, uint32_t code, uint8_t* out, uint32_t written,
                            uint32_t count) {
  uint32_t length = table.length[code];
  if (length > count - written) {
    for (uint32_t drop = length - (count - written); drop > 0; --drop) code = table.prefix[code];
    length = count - written;
  }
  uint8_t* last = out + written + length;
  for (uint32_t i = 0; i < length; ++i) {
    *--last = table.suffix[code];
    code = table.prefix[code];
  }
  return written + length;
}

}  // namespace

bool DecodeGifLzw(const uint8_t* data, uint32_t size, uint32_t* position, uint32_t rootBits,
                  uint8_t* out, uint32_t count) {
  if (rootBits < 1 || rootBits > 8) return false;
  // 24 KB on the stack: the picture box's worker thread decodes too, so the
  // table is the caller's own, and only its roots need setting.
  static_assert(sizeof(CodeTable) <= 24 * 1024, "code table size");
  CodeTable tableSpace;
  CodeTable* table = &tableSpace;
  const uint32_t clear = 1u << rootBits;
  const uint32_t end = clear + 1;
  for (uint32_t i = 0; i < clear; ++i) {
    table->prefix[i] = 0;
    table->suffix[i] = uint8_t(i);
    table->first[i] = uint8_t(i);
    table->length[i] = 1;
  }

  BitReader reader{data, size, *position, 0};
  uint32_t codeBits = rootBits + 1;
  uint32_t nextCode = clear + 2;
  uint32_t previous = kMaxCodes;  // none: just after the start or a clear
  uint32_t written = 0;
  bool ok = true;
  while (written < count && reader.Fill(codeBits)) {
    const uint32_t code = reader.Take(codeBits);
    if (code == clear) {
      codeBits = rootBits + 1;
      nextCode = clear + 2;
      previous = kMaxCodes;
      continue;
    }
    if (code == end) break;
    if (previous == kMaxCodes) {
      if (code > clear) {
        ok = false;
        break;
      }
      out[written++] = uint8_t(code);
      previous = code;
      continue;
    }
    if (code > nextCode || (code == nextCode && nextCode == kMaxCodes)) {
      ok = false;
      break;
    }
    if (nextCode < kMaxCodes) {
      // The new string is the previous one plus the first byte of this one;
      // a code that names the string being made (code == nextCode) starts
      // with the previous string's first byte.
      table->prefix[nextCode] = uint16_t(previous);
      table->suffix[nextCode] = code == nextCode ? table->first[previous] : table->first[code];
      table->first[nextCode] = table->first[previous];
      table->length[nextCode] = uint16_t(table->length[previous] + 1);
      ++nextCode;
      if (nextCode == (1u << codeBits) && codeBits < kMaxCodeBits) ++codeBits;
    }
    written = WriteString(*table, code, out, written, count);
    previous = code;
  }
  if (!ok || reader.broken || written < count || !reader.SkipRest()) return false;
  *position = reader.next;
  return true;
}
