#include "widgets/pic_btn/region_rectangles.h"

namespace {

constexpr uint32_t kHeaderWords = RegionRectangles::kHeaderBytes / 4;
constexpr uint32_t kRectangleWords = RegionRectangles::kRectangleBytes / 4;
constexpr uint32_t kRectanglesType = 1;  // RDH_RECTANGLES
constexpr uint32_t kPixelColourBits = 0x00FFFFFF;

// Header words.
enum : uint32_t {
  kSize,
  kType,
  kCount,
  kRectangleBytesWord,
  kBoundLeft,
  kBoundTop,
  kBoundRight,
  kBoundBottom
};

}  // namespace

RegionRectangles::RegionRectangles()
    : words_(kHeaderWords + kGrowth * kRectangleWords, 0), capacity_(kGrowth) {
  words_[kSize] = kHeaderBytes;
  words_[kType] = kRectanglesType;
}

bool RegionRectangles::Add(const RunRectangle& rectangle) {
  uint32_t count = words_[kCount];
  if (count == capacity_) {
    capacity_ += kGrowth;
    words_.resize(kHeaderWords + size_t(capacity_) * kRectangleWords, 0);
  }
  uint32_t* at = words_.data() + kHeaderWords + size_t(count) * kRectangleWords;
  at[0] = uint32_t(rectangle.left);
  at[1] = uint32_t(rectangle.top);
  at[2] = uint32_t(rectangle.right);
  at[3] = uint32_t(rectangle.bottom);
  RunRectangle bounds = count == 0 ? rectangle : Bounds();
  if (rectangle.left < bounds.left) bounds.left = rectangle.left;
  if (rectangle.top < bounds.top) bounds.top = rectangle.top;
  if (rectangle.right > bounds.right) bounds.right = rectangle.right;
  if (rectangle.bottom > bounds.bottom) bounds.bottom = rectangle.bottom;
  words_[kBoundLeft] = uint32_t(bounds.left);
  words_[kBoundTop] = uint32_t(bounds.top);
  words_[kBoundRight] = uint32_t(bounds.right);
  words_[kBoundBottom] = uint32_t(bounds.bottom);
  ++count;
  words_[kCount] = count;
  words_[kRectangleBytesWord] = count * kRectangleBytes;
  return count == kBatchSize;
}

void RegionRectangles::Clear() {
  for (uint32_t word = kCount; word < kHeaderWords; ++word) words_[word] = 0;
}

RunRectangle RegionRectangles::At(uint32_t index) const {
  const uint32_t* at = words_.data() + kHeaderWords + size_t(index) * kRectangleWords;
  return RunRectangle{int32_t(at[0]), int32_t(at[1]), int32_t(at[2]), int32_t(at[3])};
}

RunRectangle RegionRectangles::Bounds() const {
  return RunRectangle{int32_t(words_[kBoundLeft]), int32_t(words_[kBoundTop]),
                      int32_t(words_[kBoundRight]), int32_t(words_[kBoundBottom])};
}

uint32_t DibPixelOfColour(uint32_t colour) {
  const uint32_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
  return red << 16 | green << 8 | blue;
}

int64_t CollectShapeRuns(const uint32_t* pixels, int32_t width, int32_t height, uint32_t keyPixel,
                         TakeRectangles take, void* context) {
  RegionRectangles batch;
  int64_t found = 0;
  const uint32_t key = keyPixel & kPixelColourBits;
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* row = pixels + int64_t(y) * width;
    int32_t x = 0;
    while (x < width) {
      while (x < width && (row[x] & kPixelColourBits) == key) ++x;
      if (x == width) break;
      const int32_t start = x;
      while (x < width && (row[x] & kPixelColourBits) != key) ++x;
      ++found;
      if (batch.Add(RunRectangle{start, y, x, y + 1})) {
        if (!take(batch, context)) return -1;
        batch.Clear();
      }
    }
  }
  if (batch.Count() > 0 && !take(batch, context)) return -1;
  return found;
}
