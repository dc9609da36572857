// The rectangles that a graphic button's cut-out shape is made of: in every
// row of its picture, each longest run of pixels that are not the key colour
// becomes a rectangle one pixel high. The rectangles are gathered in the
// form ExtCreateRegion takes and handed over in batches, which the Windows
// side turns into regions and merges; no batch holds more than 2,000 of
// them, so that no single region call gets a huge list. Pure code: builds
// for Windows and for the host.
//
// The batch, as RGNDATA lays it out
//   offset  width      field
//   0       u32        header size: 32
//   4       u32        type: 1 (RDH_RECTANGLES)
//   8       u32        rectangle count
//   12      u32        bytes of the rectangles (count * 16)
//   16      4 x int32  bounding rectangle of the batch: left, top, right, bottom
//   32      4 x int32  per rectangle: left, top, right (exclusive), bottom (exclusive)
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct RunRectangle {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

class RegionRectangles {
 public:
  static constexpr uint32_t kHeaderBytes = 32;
  static constexpr uint32_t kRectangleBytes = 16;
  // Room is made for this many rectangles at a time.
  static constexpr uint32_t kGrowth = 100;
  // A batch is handed over when it holds this many.
  static constexpr uint32_t kBatchSize = 2000;

  RegionRectangles();

  // Adds a rectangle and widens the bounds; true when the batch is now full
  // and must be handed over before the next one is added.
  bool Add(const RunRectangle& rectangle);
  // Starts a new batch: no rectangles, no bounds; the room stays.
  void Clear();

  uint32_t Count() const { return words_[2]; }
  // The rectangles there is room for without growing.
  uint32_t Capacity() const { return capacity_; }
  RunRectangle At(uint32_t index) const;
  RunRectangle Bounds() const;

  // The batch in the layout above, and its size in bytes.
  const void* Data() const { return words_.data(); }
  uint32_t SizeInBytes() const { return kHeaderBytes + Count() * kRectangleBytes; }

 private:
  // 32-bit words, so that the layout is aligned as RGNDATA must be.
  std::vector<uint32_t> words_;
  uint32_t capacity_ = 0;
};

// A COLORREF (0x00BBGGRR) as the 32-bit pixel of a top-down DIB section
// holds it (0x00RRGGBB).
uint32_t DibPixelOfColour(uint32_t colour);

// Hands one batch over; false stops the scan.
using TakeRectangles = bool (*)(const RegionRectangles& batch, void* context);

// Scans `height` rows of `width` 32-bit pixels (top-down) for the runs of
// pixels whose low 24 bits differ from `keyPixel`, and hands every full
// batch and the last, partly filled one to `take`. Answers the number of
// rectangles found, or -1 when `take` refused a batch.
int64_t CollectShapeRuns(const uint32_t* pixels, int32_t width, int32_t height, uint32_t keyPixel,
                         TakeRectangles take, void* context);
