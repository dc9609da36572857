// The runs of a graphic button's cut-out shape: which pixels make up the
// shape, the batches they are handed over in, and the RGNDATA layout of a
// batch.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "widgets/pic_btn/region_rectangles.h"

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kRed = 0x00FF0000;  // as a DIB pixel

struct Collected {
  std::vector<std::vector<RunRectangle>> batches;
  std::vector<RunRectangle> bounds;
  std::vector<uint32_t> capacities;
  int refuseAt = -1;  // the batch index that is refused, or -1
};

bool Take(const RegionRectangles& batch, void* context) {
  Collected* collected = static_cast<Collected*>(context);
  if (int(collected->batches.size()) == collected->refuseAt) return false;
  std::vector<RunRectangle> rectangles;
  for (uint32_t i = 0; i < batch.Count(); ++i) rectangles.push_back(batch.At(i));
  collected->batches.push_back(rectangles);
  collected->bounds.push_back(batch.Bounds());
  collected->capacities.push_back(batch.Capacity());
  return true;
}

bool Same(const RunRectangle& a, const RunRectangle& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(RegionRectangles, EachRunOfShapePixelsIsOneRowHighRectangle) {
  // Rows as text: '.' key colour, '#' shape. The top byte of a pixel (which
  // BitBlt leaves undefined in a DIB section) is not part of its colour.
  const char* rows[] = {
      "..##..#",
      "#######",
      ".......",
      "#.#.#..",
  };
  const int width = 7, height = 4;
  std::vector<uint32_t> pixels;
  for (const char* row : rows)
    for (int x = 0; x < width; ++x) pixels.push_back(row[x] == '.' ? 0xAA000000 | kWhite : kRed);
  Collected collected;
  EXPECT_EQ(CollectShapeRuns(pixels.data(), width, height, kWhite, Take, &collected), 6);
  ASSERT_EQ(collected.batches.size(), 1u);
  const RunRectangle expected[] = {{2, 0, 4, 1}, {6, 0, 7, 1}, {0, 1, 7, 2},
                                   {0, 3, 1, 4}, {2, 3, 3, 4}, {4, 3, 5, 4}};
  ASSERT_EQ(collected.batches[0].size(), 6u);
  for (size_t i = 0; i < 6; ++i) EXPECT_TRUE(Same(collected.batches[0][i], expected[i])) << i;
  EXPECT_TRUE(Same(collected.bounds[0], RunRectangle{0, 0, 7, 4}));
}

TEST(RegionRectangles, NoShapePixelsHandNothingOver) {
  std::vector<uint32_t> pixels(20, kWhite);
  Collected collected;
  EXPECT_EQ(CollectShapeRuns(pixels.data(), 5, 4, kWhite, Take, &collected), 0);
  EXPECT_TRUE(collected.batches.empty());
  // A picture without the key colour is one rectangle per row.
  std::vector<uint32_t> full(20, kRed);
  EXPECT_EQ(CollectShapeRuns(full.data(), 5, 4, kWhite, Take, &collected), 4);
  ASSERT_EQ(collected.batches.size(), 1u);
  EXPECT_TRUE(Same(collected.bounds[0], RunRectangle{0, 0, 5, 4}));
}

TEST(RegionRectangles, BatchesOfTwoThousandThenTheRest) {
  // 3,000 x 3 alternating pixels: 1,500 runs a row, 4,500 in all.
  const int width = 3000, height = 3;
  std::vector<uint32_t> pixels(size_t(width) * height);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = (i % 2 == 0) ? kRed : kWhite;
  Collected collected;
  EXPECT_EQ(CollectShapeRuns(pixels.data(), width, height, kWhite, Take, &collected), 4500);
  ASSERT_EQ(collected.batches.size(), 3u);
  EXPECT_EQ(collected.batches[0].size(), 2000u);
  EXPECT_EQ(collected.batches[1].size(), 2000u);
  EXPECT_EQ(collected.batches[2].size(), 500u);
  // The room grew by 100 at a time up to one batch, and was kept.
  EXPECT_EQ(collected.capacities[0], 2000u);
  EXPECT_EQ(collected.capacities[2], 2000u);
  // The second batch starts with the 501st run of row 1, and its bounds are
  // its own, not those of the batches before it.
  EXPECT_TRUE(Same(collected.batches[1][0], RunRectangle{1000, 1, 1001, 2}));
  EXPECT_TRUE(Same(collected.bounds[0], RunRectangle{0, 0, 2999, 2}));
  EXPECT_TRUE(Same(collected.bounds[1], RunRectangle{0, 1, 2999, 3}));
  EXPECT_TRUE(Same(collected.bounds[2], RunRectangle{2000, 2, 2999, 3}));
}

TEST(RegionRectangles, ARefusedBatchStopsTheScan) {
  std::vector<uint32_t> pixels(4100);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = (i % 2 == 0) ? kRed : kWhite;
  Collected collected;
  collected.refuseAt = 0;
  EXPECT_EQ(CollectShapeRuns(pixels.data(), 4100, 1, kWhite, Take, &collected), -1);
  EXPECT_TRUE(collected.batches.empty());
  Collected last;
  last.refuseAt = 1;
  EXPECT_EQ(CollectShapeRuns(pixels.data(), 4100, 1, kWhite, Take, &last), -1);
  EXPECT_EQ(last.batches.size(), 1u);
}

TEST(RegionRectangles, BatchIsLaidOutAsRegionData) {
  RegionRectangles batch;
  EXPECT_EQ(batch.Capacity(), 100u);
  for (int i = 0; i < 101; ++i) EXPECT_FALSE(batch.Add(RunRectangle{i, 5, i + 1, 6}));
  EXPECT_EQ(batch.Capacity(), 200u);
  EXPECT_EQ(batch.SizeInBytes(), 32u + 101u * 16u);
  int32_t words[8 + 8];
  memcpy(words, batch.Data(), sizeof words);
  EXPECT_EQ(words[0], 32);        // header size
  EXPECT_EQ(words[1], 1);         // RDH_RECTANGLES
  EXPECT_EQ(words[2], 101);       // count
  EXPECT_EQ(words[3], 101 * 16);  // bytes of the rectangles
  EXPECT_EQ(words[4], 0);         // bounds
  EXPECT_EQ(words[5], 5);
  EXPECT_EQ(words[6], 101);
  EXPECT_EQ(words[7], 6);
  EXPECT_EQ(words[12], 1);  // the second rectangle
  EXPECT_EQ(words[14], 2);
  batch.Clear();
  EXPECT_EQ(batch.Count(), 0u);
  EXPECT_EQ(batch.SizeInBytes(), 32u);
  EXPECT_EQ(batch.Capacity(), 200u);
  batch.Add(RunRectangle{7, 8, 9, 10});
  EXPECT_TRUE(Same(batch.Bounds(), RunRectangle{7, 8, 9, 10}));
}

}  // namespace
