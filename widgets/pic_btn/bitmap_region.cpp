#include "widgets/pic_btn/bitmap_region.h"

#include "widgets/common/gdi_owners.h"
#include "widgets/pic_btn/region_rectangles.h"

namespace {

static_assert(sizeof(RGNDATAHEADER) == RegionRectangles::kHeaderBytes &&
                  sizeof(RECT) == RegionRectangles::kRectangleBytes,
              "a batch of rectangles is laid out as RGNDATA");

// Merges each batch into one region.
struct MergedRegion {
  RegionOwner region;
};

bool MergeBatch(const RegionRectangles& batch, void* context) {
  MergedRegion* merged = static_cast<MergedRegion*>(context);
  HRGN part =
      ExtCreateRegion(nullptr, batch.SizeInBytes(), static_cast<const RGNDATA*>(batch.Data()));
  if (!part) return false;
  if (!merged->region) {
    merged->region.Reset(part);
    return true;
  }
  const int combined = CombineRgn(merged->region.Get(), merged->region.Get(), part, RGN_OR);
  DeleteObject(part);
  return combined != ERROR;
}

// The colour that `key` becomes in the bitmap selected into `hdc`: set into
// one pixel and read back, the pixel then given its own colour again.
COLORREF NearestShownColour(HDC hdc, COLORREF key) {
  const COLORREF saved = GetPixel(hdc, 0, 0);
  SetPixel(hdc, 0, 0, key);
  const COLORREF mapped = GetPixel(hdc, 0, 0);
  SetPixel(hdc, 0, 0, saved);
  return mapped;
}

}  // namespace

HRGN RegionWithoutColour(HBITMAP bitmap, COLORREF key) {
  BITMAP size{};
  if (!bitmap || !GetObjectW(bitmap, sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0)
    return nullptr;
  const int width = size.bmWidth, height = size.bmHeight;
  MemoryDc source(nullptr);
  if (!source.Get()) return nullptr;
  source.Select(bitmap);
  const COLORREF mapped = NearestShownColour(source.Get(), key);

  // A 32-bit top-down copy: one pixel a word, rows from the top, whatever
  // the bitmap's own format.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  BitmapOwner copy(CreateDIBSection(source.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!copy || !bits) return nullptr;
  {
    MemoryDc target(source.Get());
    if (!target.Get()) return nullptr;
    target.Select(copy.Get());
    if (!BitBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY)) return nullptr;
    GdiFlush();
  }
  MergedRegion merged;
  if (CollectShapeRuns(static_cast<const uint32_t*>(bits), width, height, DibPixelOfColour(mapped),
                       MergeBatch, &merged) <= 0)
    return nullptr;
  return merged.region.Release();
}
