#include "widgets/image/gif_canvas.h"

#include <cstring>

#include "widgets/image/decoded_image.h"
#include "widgets/image/gif_decoder.h"

namespace {

constexpr uint32_t kDefaultDelayMs = 50;

uint32_t PixelOf(uint8_t red, uint8_t green, uint8_t blue) {
  const uint8_t bytes[4] = {blue, green, red, 255};
  uint32_t pixel;
  memcpy(&pixel, bytes, 4);
  return pixel;
}

bool GivesAreaBack(uint8_t disposal) {
  return disposal == kGifRestoreBackground || disposal == kGifRestorePrevious;
}

// The part of the frame's rectangle that lies on the canvas.
GifArea ClipToCanvas(const GifCanvas& canvas, const GifFrame& frame) {
  GifArea area;
  const int64_t right = int64_t(frame.left) + frame.width;
  const int64_t bottom = int64_t(frame.top) + frame.height;
  area.left = frame.left < canvas.width ? frame.left : canvas.width;
  area.top = frame.top < canvas.height ? frame.top : canvas.height;
  area.width = int32_t((right < canvas.width ? right : canvas.width) - area.left);
  area.height = int32_t((bottom < canvas.height ? bottom : canvas.height) - area.top);
  // A frame wholly off the canvas covers nothing (and has no place in it).
  if (area.width <= 0 || area.height <= 0) return GifArea();
  return area;
}

// Copies `area` between the canvas and a packed buffer of its rows.
void CopyArea(GifCanvas* canvas, const GifArea& area, bool toCanvas) {
  const size_t rowBytes = size_t(area.width) * 4;
  for (int32_t y = 0; y < area.height; ++y) {
    uint8_t* onCanvas =
        canvas->pixels + (size_t(area.top + y) * size_t(canvas->width) + size_t(area.left)) * 4;
    uint8_t* inSaved = canvas->saved + size_t(y) * rowBytes;
    if (toCanvas)
      memcpy(onCanvas, inSaved, rowBytes);
    else
      memcpy(inSaved, onCanvas, rowBytes);
  }
}

// Makes room for a copy of `area`.
bool EnsureSaved(GifCanvas* canvas, const GifArea& area) {
  const uint64_t bytes = uint64_t(area.width) * uint64_t(area.height) * 4;
  if (bytes <= canvas->savedCapacity) return true;
  ReleasePixels(canvas->saved);
  canvas->saved = AllocatePixels(bytes);
  canvas->savedCapacity = canvas->saved ? bytes : 0;
  return canvas->saved != nullptr;
}

void DrawFrame(GifCanvas* canvas, const GifFrame& frame, const GifArea& area) {
  if (area.width == 0) return;
  uint8_t table[256 * 4];
  uint32_t colours[256];
  WriteGifPalette(frame.palette, table);
  for (int i = 0; i < 256; ++i)
    colours[i] = PixelOf(table[i * 4 + 2], table[i * 4 + 1], table[i * 4]);
  uint32_t* canvasPixels = reinterpret_cast<uint32_t*>(canvas->pixels);
  for (int32_t y = 0; y < area.height; ++y) {
    const uint8_t* indexes = frame.indexes +
                             size_t(area.top - frame.top + y) * size_t(frame.width) +
                             size_t(area.left - frame.left);
    uint32_t* row = canvasPixels + size_t(area.top + y) * size_t(canvas->width) + size_t(area.left);
    if (frame.transparent) {
      for (int32_t x = 0; x < area.width; ++x)
        if (indexes[x] != frame.transparentIndex) row[x] = colours[indexes[x]];
    } else {
      for (int32_t x = 0; x < area.width; ++x) row[x] = colours[indexes[x]];
    }
  }
}

}  // namespace

uint32_t CanvasPixelOf(uint32_t colorref) {
  return PixelOf(uint8_t(colorref), uint8_t(colorref >> 8), uint8_t(colorref >> 16));
}

bool OpenGifCanvas(ByteBlock file, uint32_t background, GifCanvas* canvas) {
  GifCanvas opened;
  if (!OpenGif(file, &opened.stream)) return false;
  opened.width = opened.stream.screenWidth;
  opened.height = opened.stream.screenHeight;
  const uint64_t screen = uint64_t(opened.width) * uint64_t(opened.height);
  const uint64_t covered = opened.stream.coveredPixels;
  if (opened.stream.playableImages == 0 ||
      screen > (covered > kGifFreeScreenPixels ? covered : kGifFreeScreenPixels)) {
    CloseGifCanvas(&opened);
    return false;
  }
  const uint64_t size = screen * 4;
  opened.pixels = AllocatePixels(size);
  if (opened.pixels == nullptr) {
    CloseGifCanvas(&opened);
    return false;
  }
  const uint32_t fill = CanvasPixelOf(background);
  uint32_t* pixels = reinterpret_cast<uint32_t*>(opened.pixels);
  for (uint64_t i = 0; i < size / 4; ++i) pixels[i] = fill;
  *canvas = opened;
  return true;
}

bool DrawNextGifFrame(GifCanvas* canvas, uint32_t* delayMs) {
  if (GivesAreaBack(canvas->lastDisposal)) CopyArea(canvas, canvas->lastArea, true);
  canvas->lastDisposal = 0;
  GifFrame frame;
  if (ReadGifImage(&canvas->stream, &frame) != GifRead::Image) return false;
  const GifArea area = ClipToCanvas(*canvas, frame);
  if (GivesAreaBack(frame.disposal)) {
    if (!EnsureSaved(canvas, area)) return false;
    CopyArea(canvas, area, false);
  }
  DrawFrame(canvas, frame, area);
  canvas->lastDisposal = frame.disposal;
  canvas->lastArea = area;
  *delayMs = frame.delay ? uint32_t(frame.delay) * 10 : kDefaultDelayMs;
  return true;
}

void CloseGifCanvas(GifCanvas* canvas) {
  CloseGif(&canvas->stream);
  ReleasePixels(canvas->pixels);
  ReleasePixels(canvas->saved);
  *canvas = GifCanvas();
}
