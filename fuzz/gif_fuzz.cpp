// Fuzz target: GIF, the first image as a bitmap, then the player's canvas
// frame by frame through up to two passes of the animation. Screens of any
// size are played: what the canvas may cost is bounded by the data, and the
// fuzz runs' allocation limit makes a file that asks for more a finding.
#include "fuzz/image_fuzz.h"
#include "widgets/image/gif_canvas.h"
#include "widgets/image/gif_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzDecoder(data, size, kImageGif, DecodeGif);
  if (size > UINT32_MAX) return 0;
  GifCanvas canvas;
  if (!OpenGifCanvas(ByteBlock{data, uint32_t(size)}, 0x00123456, &canvas)) {
    if (canvas.pixels != nullptr) abort();
    return 0;
  }
  if (canvas.pixels == nullptr || !ImageSidesAllowed(canvas.width, canvas.height)) abort();
  const uint64_t screen = uint64_t(canvas.width) * uint64_t(canvas.height);
  if (canvas.stream.playableImages == 0 ||
      (screen > kGifFreeScreenPixels && screen > canvas.stream.coveredPixels))
    abort();
  const uint32_t frames = canvas.stream.imageCount * 2 + 1;
  uint32_t delay = 0;
  for (uint32_t i = 0; i < frames && DrawNextGifFrame(&canvas, &delay); ++i) {
    if (delay == 0) abort();
  }
  CloseGifCanvas(&canvas);
  return 0;
}
