#include "widgets/image/gif_decoder.h"

#include <cstring>

#include "widgets/image/gif_stream.h"

void WriteGifPalette(const GifPalette& palette, uint8_t* out) {
  memset(out, 0, 256 * 4);
  if (palette.colours == 0) {
    // No colour table anywhere: the indexes are shown as grey levels.
    for (int i = 0; i < 256; ++i) out[i * 4] = out[i * 4 + 1] = out[i * 4 + 2] = uint8_t(i);
    return;
  }
  const uint32_t colours = palette.colours < 256 ? palette.colours : 256;
  for (uint32_t i = 0; i < colours; ++i) {
    const uint8_t* rgb = palette.rgb + i * 3;
    out[i * 4] = rgb[2];
    out[i * 4 + 1] = rgb[1];
    out[i * 4 + 2] = rgb[0];
  }
}

bool DecodeGif(ByteBlock file, DecodedImage* out) {
  GifStream stream;
  if (!OpenGif(file, &stream)) return false;
  GifFrame frame;
  if (ReadGifImage(&stream, &frame) != GifRead::Image) {
    CloseGif(&stream);
    return false;
  }
  const uint32_t width = uint32_t(frame.width), height = uint32_t(frame.height);
  const uint64_t stride = RowBytes(width, 8, 4);
  const uint64_t rows = stride * height;
  uint8_t* pixels =
      rows <= kMaxPixelBytes ? AllocatePixels(kPaletteBitmapHeaderSize + rows) : nullptr;
  if (pixels == nullptr) {
    CloseGif(&stream);
    return false;
  }
  WritePaletteBitmapHeader(int32_t(width), int32_t(height), uint32_t(rows), pixels);
  WriteGifPalette(frame.palette, pixels + kBitmapInfoHeaderSize);
  uint8_t* bits = pixels + kPaletteBitmapHeaderSize;
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* row = bits + (height - 1 - y) * stride;
    memcpy(row, frame.indexes + uint64_t(y) * width, width);
    memset(row + width, 0, size_t(stride - width));
  }
  CloseGif(&stream);
  SetImagePixels(out, kImageGif, int32_t(width), int32_t(height), pixels,
                 kPaletteBitmapHeaderSize + rows);
  return true;
}
