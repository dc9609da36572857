// Reading a GIF file block by block: the logical screen, and one image after
// the other with the graphic-control values that belong to it, starting over
// at the trailer. What the GIF player and the first-image decoder share.
// Pure code: builds for Windows and for the host.
#pragma once

#include <cstdint>

#include "services/values.h"

// Disposal methods: the graphic-control packed byte & 0x1C.
constexpr uint8_t kGifDisposalMask = 0x1C;
constexpr uint8_t kGifRestoreBackground = 8;
constexpr uint8_t kGifRestorePrevious = 12;

// A colour table inside the file: `colours` red, green, blue triplets.
struct GifPalette {
  const uint8_t* rgb = nullptr;
  uint32_t colours = 0;  // 0: the file has none for this image
};

struct GifFrame {
  // The image's place in the logical screen (it may reach past its edges).
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  GifPalette palette;  // the image's own table, else the file's
  // From the graphic control extension before the image; all 0 without one.
  uint8_t disposal = 0;  // packed byte & 0x1C
  bool transparent = false;
  uint8_t transparentIndex = 0;
  uint16_t delay = 0;  // hundredths of a second
  // width * height palette indexes, rows top-down (interlaced images already
  // put in order). Owned by the stream; valid until the next read.
  const uint8_t* indexes = nullptr;
};

struct GifStream {
  ByteBlock file;
  int32_t screenWidth = 0;
  int32_t screenHeight = 0;
  GifPalette global;
  uint32_t firstBlock = 0;  // offset of the first block after the header
  uint32_t next = 0;        // offset of the block read next
  uint32_t imageCount = 0;  // images before the first trailer (or other end)
  // The images before the first one that is refused without decoding (see
  // OpenGif): playback never gets past that one.
  uint32_t playableImages = 0;
  // The pixels of the logical screen that those images cover, added up
  // (overlaps count again). Bounded by what their data can give.
  uint64_t coveredPixels = 0;
  // Index buffers, grown as images need them; the second only for
  // interlaced images.
  uint8_t* indexes = nullptr;
  uint64_t indexCapacity = 0;
  uint8_t* interlaced = nullptr;
  uint64_t interlacedCapacity = 0;
};

// Opens `file` (which must outlive the stream). Walks every block up to the
// first trailer (0x3B or a 0 byte) or other unknown byte, so that a file cut
// short or with a block running past its end fails here, before any image
// is decoded. False too for a logical screen beyond the size limits.
// Allocates nothing.
//
// An image is refused without decoding, here and when it is read, when its
// sides are out of bounds, its LZW root size is not 1..8, or it claims more
// pixels than its data could give: so a small file that claims a big image
// never has buffers allocated for it.
bool OpenGif(ByteBlock file, GifStream* stream);
void CloseGif(GifStream* stream);

enum class GifRead : uint8_t {
  Image,   // `*frame` holds the next image
  End,     // a byte that is no block, or a file without images
  Failed,  // damaged image data, or an image beyond the size limits
};

// Reads up to and including the next image and decodes it. Extension blocks
// are skipped, the graphic control extension's values kept for the image
// that follows it. At the trailer (or a 0 byte) reading starts over at the
// first block, so an animation loops without end.
GifRead ReadGifImage(GifStream* stream, GifFrame* frame);
