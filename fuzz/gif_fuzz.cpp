// Fuzz target: GIF, the first image as a bitmap, then the player's canvas
// frame by frame through up to two passes of the animation.
#include "fuzz/image_fuzz.h"
#include "widgets/image/gif_canvas.h"
#include "widgets/image/gif_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzDecoder(data, size, kImageGif, DecodeGif);
  if (size > UINT32_MAX) return 0;
  // Filling and copying a logical screen of hundreds of megabytes per input
  // would leave the fuzzer little time for anything else; the canvas
  // arithmetic is the same at a million pixels.
  if (size >= 10 && uint64_t(LoadLe16(data + 6)) * LoadLe16(data + 8) > (uint64_t(1) << 20))
    return 0;
  GifCanvas canvas;
  if (!OpenGifCanvas(ByteBlock{data, uint32_t(size)}, 0x00123456, &canvas)) return 0;
  if (canvas.pixels == nullptr || !ImageSidesAllowed(canvas.width, canvas.height)) abort();
  const uint32_t frames = canvas.stream.imageCount * 2 + 1;
  uint32_t delay = 0;
  for (uint32_t i = 0; i < frames && DrawNextGifFrame(&canvas, &delay); ++i) {
    if (delay == 0) abort();
  }
  CloseGifCanvas(&canvas);
  return 0;
}
