// A GIF file:
//   0   6 bytes  "GIF87a" or "GIF89a"
//   6   u16      logical screen width      8  u16  logical screen height
//   10  u8       packed: 0x80 a global colour table follows, & 7 its size
//                (2^(n+1) entries)
//   11  u8       background colour index   12 u8   pixel aspect ratio
//   13  global colour table, 3 bytes per entry
//   then blocks, each starting with one byte:
//     0x21  extension: a label byte, then data sub-blocks
//     0x2C  image: u16 left, top, width, height; u8 packed (0x80 a local
//           colour table follows, 0x40 interlaced, & 7 its size); the local
//           table; the LZW root size byte; data sub-blocks
//     0x3B  trailer
// Data sub-blocks: a length byte 1..255 and that many bytes, ended by a 0.
// The graphic control extension (label 0xF9) holds one 4-byte sub-block:
// packed (& 0x1C disposal, & 1 transparency), u16 delay, transparent index.
#include "widgets/image/gif_stream.h"

#include <cstring>

#include "services/little_endian.h"
#include "widgets/image/decoded_image.h"
#include "widgets/image/gif_lzw.h"

namespace {

constexpr uint32_t kScreenEnd = 13;
constexpr uint8_t kExtension = 0x21;
constexpr uint8_t kImage = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kGraphicControl = 0xF9;
constexpr uint32_t kDescriptorSize = 10;  // the 0x2C and nine bytes

bool EndsPass(uint8_t b) { return b == kTrailer || b == 0; }

uint32_t TableBytes(uint8_t packed) { return (packed & 0x80) ? 3u << ((packed & 7) + 1) : 0; }

// Moves `*at` past data sub-blocks and their 0 terminator; adds the bytes
// they hold to `*bytes`.
bool SkipSubBlocks(ByteBlock file, uint32_t* at, uint64_t* bytes = nullptr) {
  uint32_t p = *at;
  for (;;) {
    if (p >= file.size) return false;
    const uint32_t length = file.data[p++];
    if (length == 0) break;
    if (length > file.size - p) return false;
    p += length;
    if (bytes) *bytes += length;
  }
  *at = p;
  return true;
}

// An image block as its descriptor and sub-blocks give it, before decoding.
struct ImageBlock {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint8_t packed = 0;
  GifPalette palette;  // the local colour table, if any
  uint32_t rootBits = 0;
  uint32_t data = 0;       // offset of the first data sub-block
  uint32_t end = 0;        // offset after the sub-blocks' terminator
  uint64_t dataBytes = 0;  // LZW bytes in the sub-blocks
};

// Reads the image block at `at` (its 0x2C byte) up to the end of its data.
bool ReadImageBlock(ByteBlock file, uint32_t at, ImageBlock* image) {
  if (at >= file.size || kDescriptorSize + 1 > file.size - at) return false;
  const uint8_t* d = file.data + at;
  image->left = LoadLe16(d + 1);
  image->top = LoadLe16(d + 3);
  image->width = LoadLe16(d + 5);
  image->height = LoadLe16(d + 7);
  image->packed = d[9];
  at += kDescriptorSize;
  const uint32_t table = TableBytes(image->packed);
  if (table + 1 > file.size - at) return false;
  if (table) image->palette = GifPalette{file.data + at, table / 3};
  at += table;
  image->rootBits = file.data[at++];
  image->data = at;
  if (!SkipSubBlocks(file, &at, &image->dataBytes)) return false;
  image->end = at;
  return true;
}

// The most indexes `bytes` of LZW data could give (see gif_lzw.cpp for the
// code table):
// - codes are at least rootBits + 1 bits wide, and the k-th code after a
//   clear gives at most k indexes, so n codes give at most n (n + 1) / 2;
// - a code of w bits names at most code 2^w - 1, and table entry e is at
//   most e - clear indexes long (each is one longer than an older one), so
//   a code gives at most (2^w - 1 - clear) / w indexes per bit: most at 12
//   bits, (4095 - clear) / 12.
uint64_t MostIndexes(uint64_t bytes, uint32_t rootBits) {
  const uint64_t bits = bytes * 8;
  const uint64_t codes = bits / (rootBits + 1);
  const uint64_t growing = codes < 65536 ? codes * (codes + 1) / 2 : UINT64_MAX;
  const uint64_t full = bits * (4095 - (1u << rootBits)) / 12;
  return growing < full ? growing : full;
}

// The checks an image passes before anything is allocated for it.
bool MayDecode(const ImageBlock& image) {
  if (!ImageSidesAllowed(image.width, image.height)) return false;
  if (image.rootBits < 1 || image.rootBits > 8) return false;
  return uint64_t(image.width) * uint64_t(image.height) <=
         MostIndexes(image.dataBytes, image.rootBits);
}

// The pixels of the logical screen that the image covers.
uint64_t CoveredPixels(const ImageBlock& image, int32_t screenWidth, int32_t screenHeight) {
  const int64_t right = int64_t(image.left) + image.width;
  const int64_t bottom = int64_t(image.top) + image.height;
  const int64_t width = (right < screenWidth ? right : screenWidth) - image.left;
  const int64_t height = (bottom < screenHeight ? bottom : screenHeight) - image.top;
  return width > 0 && height > 0 ? uint64_t(width) * uint64_t(height) : 0;
}

// Walks the blocks of one pass from the first; counts its images, and the
// playable ones and the pixels they cover.
bool WalkBlocks(GifStream* stream) {
  const ByteBlock file = stream->file;
  uint32_t at = stream->firstBlock;
  bool playable = true;
  for (;;) {
    if (at >= file.size) return false;
    const uint8_t b = file.data[at];
    if (b == kExtension) {
      at += 2;
      if (at > file.size || !SkipSubBlocks(file, &at)) return false;
    } else if (b == kImage) {
      ImageBlock image;
      if (!ReadImageBlock(file, at, &image)) return false;
      at = image.end;
      ++stream->imageCount;
      playable = playable && MayDecode(image);
      if (playable) {
        ++stream->playableImages;
        stream->coveredPixels += CoveredPixels(image, stream->screenWidth, stream->screenHeight);
      }
    } else {
      return true;  // the trailer, a 0 byte, or the end of playback
    }
  }
}

// Grows `*buffer` to `count` bytes; what it held is lost.
bool EnsureBuffer(uint8_t** buffer, uint64_t* capacity, uint64_t count) {
  if (count <= *capacity) return true;
  ReleasePixels(*buffer);
  *buffer = AllocatePixels(count);
  *capacity = *buffer ? count : 0;
  return *buffer != nullptr;
}

// Puts the rows of an interlaced image in order: the file holds every 8th
// row from 0, every 8th from 4, every 4th from 2, then every 2nd from 1.
void Deinterlace(const uint8_t* stored, uint32_t width, uint32_t height, uint8_t* out) {
  static const uint32_t kStart[4] = {0, 4, 2, 1};
  static const uint32_t kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (uint32_t y = kStart[pass]; y < height; y += kStep[pass]) {
      memcpy(out + uint64_t(y) * width, stored, width);
      stored += width;
    }
  }
}

void ReadGraphicControl(ByteBlock file, uint32_t at, GifFrame* frame) {
  // `at` is the first sub-block's length byte.
  if (uint64_t(at) + 5 > file.size || file.data[at] < 4) return;
  const uint8_t* b = file.data + at + 1;
  frame->disposal = b[0] & kGifDisposalMask;
  frame->transparent = (b[0] & 1) != 0;
  frame->delay = LoadLe16(b + 1);
  frame->transparentIndex = b[3];
}

GifRead DecodeImageBlock(GifStream* stream, GifFrame* frame) {
  const ByteBlock file = stream->file;
  ImageBlock image;
  if (!ReadImageBlock(file, stream->next, &image) || !MayDecode(image)) return GifRead::Failed;
  frame->left = image.left;
  frame->top = image.top;
  frame->width = image.width;
  frame->height = image.height;
  frame->palette = image.palette.colours ? image.palette : stream->global;
  const uint64_t count = uint64_t(image.width) * uint64_t(image.height);
  const bool interlaced = (image.packed & 0x40) != 0;
  if (!EnsureBuffer(&stream->indexes, &stream->indexCapacity, count) ||
      (interlaced && !EnsureBuffer(&stream->interlaced, &stream->interlacedCapacity, count)))
    return GifRead::Failed;
  uint8_t* target = interlaced ? stream->interlaced : stream->indexes;
  uint32_t at = image.data;
  if (!DecodeGifLzw(file.data, file.size, &at, image.rootBits, target, uint32_t(count)))
    return GifRead::Failed;
  if (interlaced)
    Deinterlace(stream->interlaced, uint32_t(image.width), uint32_t(image.height), stream->indexes);
  frame->indexes = stream->indexes;
  stream->next = at;
  return GifRead::Image;
}

}  // namespace

bool OpenGif(ByteBlock file, GifStream* stream) {
  if (file.data == nullptr || file.size < kScreenEnd) return false;
  const uint8_t* b = file.data;
  if (memcmp(b, "GIF8", 4) != 0 || (b[4] != '7' && b[4] != '9') || b[5] != 'a') return false;
  GifStream opened;
  opened.file = file;
  opened.screenWidth = LoadLe16(b + 6);
  opened.screenHeight = LoadLe16(b + 8);
  if (!ImageSidesAllowed(opened.screenWidth, opened.screenHeight)) return false;
  const uint32_t table = TableBytes(b[10]);
  if (table > file.size - kScreenEnd) return false;
  if (table) opened.global = GifPalette{b + kScreenEnd, table / 3};
  opened.firstBlock = opened.next = kScreenEnd + table;
  if (!WalkBlocks(&opened)) return false;
  *stream = opened;
  return true;
}

void CloseGif(GifStream* stream) {
  ReleasePixels(stream->indexes);
  ReleasePixels(stream->interlaced);
  *stream = GifStream();
}

GifRead ReadGifImage(GifStream* stream, GifFrame* frame) {
  const ByteBlock file = stream->file;
  GifFrame read;
  bool startedOver = false;
  for (;;) {
    if (stream->next >= file.size) return GifRead::Failed;
    const uint8_t b = file.data[stream->next];
    if (EndsPass(b)) {
      // A pass without an image would start over for ever.
      if (stream->imageCount == 0 || startedOver) return GifRead::End;
      stream->next = stream->firstBlock;
      startedOver = true;
      read = GifFrame();
      continue;
    }
    if (b == kExtension) {
      uint32_t at = stream->next + 2;
      if (at > file.size) return GifRead::Failed;
      if (file.data[stream->next + 1] == kGraphicControl) ReadGraphicControl(file, at, &read);
      if (!SkipSubBlocks(file, &at)) return GifRead::Failed;
      stream->next = at;
      continue;
    }
    if (b != kImage) return GifRead::End;
    const GifRead result = DecodeImageBlock(stream, &read);
    if (result == GifRead::Image) *frame = read;
    return result;
  }
}
