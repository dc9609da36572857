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

// Moves `*at` past data sub-blocks and their 0 terminator.
bool SkipSubBlocks(ByteBlock file, uint32_t* at) {
  uint32_t p = *at;
  for (;;) {
    if (p >= file.size) return false;
    const uint32_t length = file.data[p++];
    if (length == 0) break;
    if (length > file.size - p) return false;
    p += length;
  }
  *at = p;
  return true;
}

// Walks the blocks of one pass; counts its images.
bool WalkBlocks(ByteBlock file, uint32_t at, uint32_t* images) {
  *images = 0;
  for (;;) {
    if (at >= file.size) return false;
    const uint8_t b = file.data[at];
    if (b == kExtension) {
      at += 2;
      if (at > file.size || !SkipSubBlocks(file, &at)) return false;
    } else if (b == kImage) {
      if (kDescriptorSize + 1 > file.size - at) return false;
      const uint32_t table = TableBytes(file.data[at + 9]);
      at += kDescriptorSize;
      if (table + 1 > file.size - at) return false;
      at += table + 1;
      if (!SkipSubBlocks(file, &at)) return false;
      ++*images;
    } else {
      return true;  // the trailer, a 0 byte, or the end of playback
    }
  }
}

// The most indexes the image data at `at` could give: each code of at least
// rootBits + 1 bits adds at most one index more than the code before it
// (and at most 4096). Keeps a small file that claims a big image from
// having its buffers allocated.
uint64_t MostIndexes(ByteBlock file, uint64_t at, uint32_t rootBits) {
  uint64_t bytes = 0;
  while (at < file.size && file.data[at] != 0) {
    bytes += file.data[at];
    at += 1u + file.data[at];
  }
  const uint64_t codes = bytes * 8 / (rootBits + 1);
  return codes < 4096 ? codes * (codes + 1) / 2 : codes * 4096;
}

bool EnsureCapacity(GifStream* stream, uint64_t count) {
  if (count <= stream->capacity) return true;
  ReleasePixels(stream->indexes);
  ReleasePixels(stream->interlaced);
  stream->indexes = AllocatePixels(count);
  stream->interlaced = AllocatePixels(count);
  stream->capacity = stream->indexes && stream->interlaced ? count : 0;
  return stream->capacity != 0;
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
  uint32_t at = stream->next;
  if (kDescriptorSize + 1 > file.size - at) return GifRead::Failed;
  const uint8_t* d = file.data + at;
  frame->left = LoadLe16(d + 1);
  frame->top = LoadLe16(d + 3);
  frame->width = LoadLe16(d + 5);
  frame->height = LoadLe16(d + 7);
  const uint8_t packed = d[9];
  at += kDescriptorSize;
  const uint32_t table = TableBytes(packed);
  if (table + 1 > file.size - at) return GifRead::Failed;
  frame->palette = table ? GifPalette{file.data + at, table / 3} : stream->global;
  at += table;
  const uint32_t rootBits = file.data[at++];

  if (!ImageSidesAllowed(frame->width, frame->height)) return GifRead::Failed;
  const uint64_t count = uint64_t(frame->width) * uint64_t(frame->height);
  if (count > MostIndexes(file, at, rootBits)) return GifRead::Failed;
  if (!EnsureCapacity(stream, count)) return GifRead::Failed;
  const bool interlaced = (packed & 0x40) != 0;
  uint8_t* target = interlaced ? stream->interlaced : stream->indexes;
  if (!DecodeGifLzw(file.data, file.size, &at, rootBits, target, uint32_t(count)))
    return GifRead::Failed;
  if (interlaced)
    Deinterlace(stream->interlaced, uint32_t(frame->width), uint32_t(frame->height),
                stream->indexes);
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
  if (!WalkBlocks(file, opened.firstBlock, &opened.imageCount)) return false;
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
