// The GIF player's canvas, frame by frame: disposal, transparency, delays,
// looping, extension blocks and the end of playback; and the LZW decoder on
// the cases a small picture never reaches (a full code table, with and
// without a clear code, interlaced rows, damaged codes).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "allocation_count.h"
#include "image_test_support.h"
#include "widgets/image/gif_canvas.h"
#include "widgets/image/gif_decoder.h"
#include "widgets/image/gif_lzw.h"
#include "widgets/image/gif_stream.h"

namespace {

constexpr uint32_t kBackground = 0x00102030;  // COLORREF: red 0x30, blue 0x10

// Palette indexes 0 red, 1 green, 2 blue, 3 white; 'k' is the background.
const std::vector<uint8_t> kPalette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};

char Letter(const uint8_t* bgra) {
  const uint32_t bgr = uint32_t(bgra[0]) << 16 | uint32_t(bgra[1]) << 8 | bgra[2];
  EXPECT_EQ(bgra[3], 255);
  switch (bgr) {
    case 0x0000FF:
      return 'R';
    case 0x00FF00:
      return 'G';
    case 0xFF0000:
      return 'B';
    case 0xFFFFFF:
      return 'W';
    case 0x102030:
      return 'k';
    default:
      return '?';
  }
}

// The canvas as rows of letters.
std::string Picture(const GifCanvas& canvas) {
  std::string rows;
  for (int y = 0; y < canvas.height; ++y) {
    if (y) rows += '/';
    for (int x = 0; x < canvas.width; ++x)
      rows += Letter(canvas.pixels + (size_t(y) * canvas.width + x) * 4);
  }
  return rows;
}

GifFrameSample Frame(int left, int top, int width, int height, uint8_t index) {
  return GifFrameSampleAt(left, top, width, height,
                          std::vector<uint8_t>(size_t(width) * height, index));
}

GifFrameSample WithControl(GifFrameSample frame, uint8_t disposal, uint16_t delay) {
  frame.control = true;
  frame.disposal = disposal;
  frame.delay = delay;
  return frame;
}

// Four frames on a 6 x 4 screen:
//   A  5 x 4 red at (0, 0), kept (method 1), 100 ms
//   B  2 x 2 green at (1, 1), its top-left pixel of the transparent index,
//      restore to background (method 2), delay 0
//   C  3 x 2 blue at (3, 0), restore to previous (method 3), 50 ms
//   D  1 x 1 white at (0, 3), no graphic control extension
GifSample Animation() {
  GifSample gif;
  gif.screenWidth = 6;
  gif.screenHeight = 4;
  gif.globalPalette = kPalette;
  gif.loopExtension = true;
  gif.comment = true;
  GifFrameSample b = WithControl(Frame(1, 1, 2, 2, 1), 2, 0);
  b.transparent = true;
  b.transparentIndex = 3;
  b.indexes[0] = 3;
  gif.frames = {WithControl(Frame(0, 0, 5, 4, 0), 1, 10), b,
                WithControl(Frame(3, 0, 3, 2, 2), 3, 5), Frame(0, 3, 1, 1, 3)};
  return gif;
}

TEST(GifPlayer, FramesAreDrawnWithTheirDisposalTransparencyAndDelay) {
  const SampleBytes file = WriteGif(Animation());
  GifCanvas canvas;
  ASSERT_TRUE(OpenGifCanvas(View(file), kBackground, &canvas));
  EXPECT_EQ(canvas.width, 6);
  EXPECT_EQ(canvas.height, 4);
  EXPECT_EQ(Picture(canvas), "kkkkkk/kkkkkk/kkkkkk/kkkkkk");

  struct Step {
    const char* picture;
    uint32_t delay;
  } steps[] = {
      {"RRRRRk/RRRRRk/RRRRRk/RRRRRk", 100},
      // The transparent pixel leaves A's red at (1, 1).
      {"RRRRRk/RRGRRk/RGGRRk/RRRRRk", 50},
      // B's area is given back as it was before B was drawn: A's red, not
      // the background colour.
      {"RRRBBB/RRRBBB/RRRRRk/RRRRRk", 50},
      // C's area is given back too.
      {"RRRRRk/RRRRRk/RRRRRk/WRRRRk", 50},
      // The trailer starts the animation over on the same canvas.
      {"RRRRRk/RRRRRk/RRRRRk/RRRRRk", 100},
      {"RRRRRk/RRGRRk/RGGRRk/RRRRRk", 50},
  };
  for (const Step& step : steps) {
    uint32_t delay = 0;
    ASSERT_TRUE(DrawNextGifFrame(&canvas, &delay)) << step.picture;
    EXPECT_EQ(Picture(canvas), step.picture);
    EXPECT_EQ(delay, step.delay) << step.picture;
  }
  CloseGifCanvas(&canvas);
  EXPECT_EQ(canvas.pixels, nullptr);
}

TEST(GifPlayer, AFrameReachingPastTheScreenIsCutOff) {
  GifSample gif;
  gif.screenWidth = 3;
  gif.screenHeight = 2;
  gif.globalPalette = kPalette;
  gif.frames = {Frame(2, 1, 4, 3, 2), WithControl(Frame(7, 0, 2, 2, 1), 3, 0),
                Frame(0, 0, 1, 1, 3)};
  const SampleBytes file = WriteGif(gif);
  GifCanvas canvas;
  ASSERT_TRUE(OpenGifCanvas(View(file), kBackground, &canvas));
  uint32_t delay;
  ASSERT_TRUE(DrawNextGifFrame(&canvas, &delay));
  EXPECT_EQ(Picture(canvas), "kkk/kkB");
  ASSERT_TRUE(DrawNextGifFrame(&canvas, &delay));  // wholly outside
  EXPECT_EQ(Picture(canvas), "kkk/kkB");
  ASSERT_TRUE(DrawNextGifFrame(&canvas, &delay));
  EXPECT_EQ(Picture(canvas), "Wkk/kkB");
  CloseGifCanvas(&canvas);
}

TEST(GifPlayer, PlaybackEndsAtAByteThatIsNoBlock) {
  SampleBytes file = WriteGif(Animation());
  // An unknown block in place of the trailer.
  file.back() = 0x99;
  GifCanvas canvas;
  ASSERT_TRUE(OpenGifCanvas(View(file), kBackground, &canvas));
  uint32_t delay;
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(DrawNextGifFrame(&canvas, &delay)) << i;
  const std::string last = Picture(canvas);
  EXPECT_FALSE(DrawNextGifFrame(&canvas, &delay));
  EXPECT_EQ(Picture(canvas), last);  // the last frame stays
  EXPECT_FALSE(DrawNextGifFrame(&canvas, &delay));
  CloseGifCanvas(&canvas);
}

TEST(GifPlayer, AZeroByteStartsOverLikeTheTrailer) {
  SampleBytes file = WriteGif(Animation());
  file.back() = 0;
  GifCanvas canvas;
  ASSERT_TRUE(OpenGifCanvas(View(file), kBackground, &canvas));
  uint32_t delay;
  for (int i = 0; i < 9; ++i) ASSERT_TRUE(DrawNextGifFrame(&canvas, &delay)) << i;
  CloseGifCanvas(&canvas);
}

TEST(GifPlayer, TheCopyOfAnAreaIsMadeOnlyForTheDisposalsThatGiveItBack) {
  const SampleBytes file = WriteGif(Animation());
  GifCanvas canvas;
  ASSERT_TRUE(OpenGifCanvas(View(file), kBackground, &canvas));
  uint32_t delay;
  ASSERT_TRUE(DrawNextGifFrame(&canvas, &delay));  // A: kept
  EXPECT_EQ(canvas.saved, nullptr);
  ASSERT_TRUE(DrawNextGifFrame(&canvas, &delay));  // B: 2 x 2, restore to background
  EXPECT_EQ(canvas.savedCapacity, 2u * 2 * 4);
  ASSERT_TRUE(DrawNextGifFrame(&canvas, &delay));  // C: 3 x 2, restore to previous
  EXPECT_EQ(canvas.savedCapacity, 3u * 2 * 4);
  CloseGifCanvas(&canvas);
}

// Only a logical screen of up to kGifFreeScreenPixels may be mostly
// background; a larger one must be covered by its images. A file refused
// the canvas still shows its first image as a still picture.
TEST(GifPlayer, AScreenFarLargerThanItsImagesGetsNoCanvas) {
  struct Case {
    const char* what;
    int screenWidth;
    int screenHeight;
    int imageSide;  // a square image at (0, 0); 0 for none
    bool canvas;
  } cases[] = {
      {"no image", 2, 2, 0, false},
      {"2048 x 2048 with one pixel", 2048, 2048, 1, true},
      {"2049 x 2048 with one pixel", 2049, 2048, 1, false},
      {"2049 x 2048 with a 1449 x 1449 image", 2049, 2048, 1449, false},
      {"2049 x 2048 covered by a 2049 x 2049 image", 2049, 2048, 2049, true},
  };
  for (const Case& c : cases) {
    GifSample gif;
    gif.screenWidth = c.screenWidth;
    gif.screenHeight = c.screenHeight;
    gif.globalPalette = kPalette;
    gif.comment = true;
    gif.clearWhenFull = false;
    if (c.imageSide) gif.frames = {Frame(0, 0, c.imageSide, c.imageSide, 2)};
    const SampleBytes file = WriteGif(gif);
    GifCanvas canvas;
    EXPECT_EQ(OpenGifCanvas(View(file), kBackground, &canvas), c.canvas) << c.what;
    CloseGifCanvas(&canvas);
    Decoded first;
    EXPECT_EQ(DecodeGif(View(file), &first.image), c.imageSide != 0) << c.what;
  }
}

// --- hostile files --------------------------------------------------------------------

// A GIF of a `screen` x `screen` logical screen without colour tables; with
// `image` > 0, one image of that size at (0, 0) with LZW root size `root`
// and `blocks` data sub-blocks of 255 bytes.
SampleBytes ClaimingGif(uint16_t screen, uint16_t image, uint8_t root, int blocks) {
  SampleBytes file = {'G', 'I', 'F', '8', '9', 'a'};
  auto put16 = [&](uint16_t v) { file.insert(file.end(), {uint8_t(v), uint8_t(v >> 8)}); };
  put16(screen);
  put16(screen);
  file.insert(file.end(), {0, 0, 0});
  if (image) {
    file.insert(file.end(), {0x2C, 0, 0, 0, 0});
    put16(image);
    put16(image);
    file.insert(file.end(), {0, root});
    for (int b = 0; b < blocks; ++b) {
      file.push_back(255);
      file.insert(file.end(), 255, uint8_t(0xA5 + b));
    }
    file.push_back(0);
  }
  file.push_back(0x3B);
  return file;
}

// A sound 4 x 4 image whose root size byte is then set to `root`.
SampleBytes WithRootSize(uint8_t root) {
  GifSample gif;
  gif.screenWidth = gif.screenHeight = 4;
  gif.globalPalette = kPalette;
  gif.frames = {Frame(0, 0, 4, 4, 1)};
  SampleBytes file = WriteGif(gif);
  file[13 + kPalette.size() + 10] = root;  // after the screen, the table and the descriptor
  return file;
}

TEST(GifLimits, HostileFilesAskForLittleMemoryAndGiveNoImage) {
  struct Case {
    std::string what;
    SampleBytes file;
  };
  std::vector<Case> cases;
  const SampleBytes issue = ClaimingGif(16384, 16384, 0, 33);
  ASSERT_EQ(issue.size(), 8474u);
  cases.push_back({"8,474 bytes claiming 16384 x 16384 with root size 0", issue});
  cases.push_back(
      {"8,474 bytes claiming 16384 x 16384 with root size 8", ClaimingGif(16384, 16384, 8, 33)});
  cases.push_back({"an 8192 x 8192 screen and no image", ClaimingGif(8192, 0, 0, 0)});
  for (uint8_t root : {0, 9, 12, 255}) {
    cases.push_back({"root size " + std::to_string(root), WithRootSize(root)});
    cases.push_back({"8,474 bytes claiming 16384 x 16384 with root size " + std::to_string(root),
                     ClaimingGif(16384, 16384, root, 33)});
  }
  Decoded sound;
  ASSERT_TRUE(DecodeGif(View(WithRootSize(2)), &sound.image)) << "the file before its change";
  for (const Case& c : cases) {
    Decoded decoded;
    GifCanvas canvas;
    const AllocationCount count = CountAllocations([&] {
      EXPECT_FALSE(DecodeGif(View(c.file), &decoded.image)) << c.what;
      EXPECT_FALSE(OpenGifCanvas(View(c.file), kBackground, &canvas)) << c.what;
    });
    if (CanCountAllocations()) EXPECT_LT(count.total, size_t(64) << 20) << c.what;
  }
}

// The bound on what LZW data can give is tight enough to refuse the claims
// above and loose enough for what an encoder packs best: one colour, the
// code table never cleared, its strings as long as they get.
TEST(GifLimits, OneColourImagesAtTheirBestPackingDecode) {
  for (int colours : {2, 4, 256}) {
    GifSample gif = GifSampleScreen(1024, 1024, colours);
    gif.frames = {Frame(0, 0, 1024, 1024, 1)};
    gif.clearWhenFull = false;
    const SampleBytes file = WriteGif(gif);
    EXPECT_LT(file.size(), 4096u) << colours;
    Decoded decoded;
    ASSERT_TRUE(DecodeGif(View(file), &decoded.image)) << colours;
    EXPECT_EQ(decoded.image.width, 1024);
  }
}

TEST(GifPlayer, DamagedFilesDoNotOpenOrEndPlayback) {
  const SampleBytes file = WriteGif(Animation());
  for (size_t cut = 0; cut < file.size(); ++cut) {
    const SampleBytes part(file.begin(), file.begin() + long(cut));
    GifCanvas canvas;
    EXPECT_FALSE(OpenGifCanvas(View(part), kBackground, &canvas)) << cut;
  }
  GifSample gif = Animation();
  gif.screenWidth = 0;
  const SampleBytes noScreen = WriteGif(gif);
  GifCanvas canvas;
  EXPECT_FALSE(OpenGifCanvas(View(noScreen), kBackground, &canvas));
}

// --- LZW ----------------------------------------------------------------------------

struct LzwCase {
  const char* what;
  int width;
  int height;
  int colours;
  bool clearWhenFull;
};

// Runs, repeats and noise, so that strings of many lengths get made.
std::vector<uint8_t> NoisyIndexes(int count, int colours) {
  std::vector<uint8_t> indexes(size_t(count), 0);
  uint32_t state = 12345;
  for (size_t k = 0; k < indexes.size(); ++k) {
    state = state * 1103515245 + 12345;
    const bool repeat = k > 0 && (state >> 16) % 7 >= 3;
    indexes[k] = repeat ? indexes[k - 1] : uint8_t((state >> 8) % uint32_t(colours));
  }
  return indexes;
}

TEST(GifLzw, DecodesWhatAnEncoderWroteAtEveryCodeWidth) {
  const LzwCase cases[] = {
      {"two colours", 31, 17, 2, true},
      {"sixteen colours", 64, 40, 16, true},
      {"full table with clear codes", 300, 200, 256, true},
      {"full table kept without a clear", 300, 200, 256, false},
      {"full table of few colours without a clear", 400, 300, 4, false},
  };
  for (const LzwCase& c : cases) {
    const std::vector<uint8_t> indexes = NoisyIndexes(c.width * c.height, c.colours);
    int rootBits = 2;
    while ((1 << rootBits) < c.colours) ++rootBits;
    const SampleBytes data = GifLzwData(indexes.data(), indexes.size(), rootBits, c.clearWhenFull);
    std::vector<uint8_t> out(indexes.size(), 0xEE);
    uint32_t position = 1;  // past the root size byte
    ASSERT_TRUE(DecodeGifLzw(data.data(), uint32_t(data.size()), &position, uint32_t(rootBits),
                             out.data(), uint32_t(out.size())))
        << c.what;
    EXPECT_EQ(position, data.size()) << c.what;
    EXPECT_TRUE(out == indexes) << c.what;
  }
}

TEST(GifLzw, RefusesCodesNotYetInTheTableAndDataThatEndsEarly) {
  const std::vector<uint8_t> indexes = NoisyIndexes(64, 4);
  SampleBytes data = GifLzwData(indexes.data(), indexes.size(), 2, true);
  std::vector<uint8_t> out(64);
  uint32_t position = 1;
  // Too many indexes asked of the data.
  std::vector<uint8_t> more(65);
  EXPECT_FALSE(DecodeGifLzw(data.data(), uint32_t(data.size()), &position, 2, more.data(), 65));
  // A code far past the table: clear (4), then 7 at 3 bits as the first code.
  const SampleBytes bad = {2, 0x3C, 0x00, 0};
  position = 1;
  EXPECT_FALSE(DecodeGifLzw(bad.data(), uint32_t(bad.size()), &position, 2, out.data(), 4));
  // Root sizes outside 1..8.
  for (uint32_t root : {0u, 9u, 12u}) {
    position = 1;
    EXPECT_FALSE(DecodeGifLzw(data.data(), uint32_t(data.size()), &position, root, out.data(), 64));
  }
  // Fewer indexes than the data holds: the rest is read past, not written.
  std::vector<uint8_t> fewer(40);
  position = 1;
  ASSERT_TRUE(DecodeGifLzw(data.data(), uint32_t(data.size()), &position, 2, fewer.data(), 40));
  EXPECT_EQ(position, data.size());
  EXPECT_TRUE(std::equal(fewer.begin(), fewer.end(), indexes.begin()));
}

TEST(GifStream, InterlacedRowsArePutInOrder) {
  GifSample gif = GifSampleScreen(5, 11, 16);
  GifFrameSample frame = GifFrameSampleAt(0, 0, 5, 11, {});
  frame.interlaced = true;
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 5; ++x) frame.indexes.push_back(uint8_t(y + x % 2));
  gif.frames = {frame};
  const SampleBytes file = WriteGif(gif);
  GifStream stream;
  ASSERT_TRUE(OpenGif(View(file), &stream));
  GifFrame read;
  ASSERT_EQ(ReadGifImage(&stream, &read), GifRead::Image);
  EXPECT_EQ(memcmp(read.indexes, frame.indexes.data(), frame.indexes.size()), 0);
  CloseGif(&stream);
}

TEST(GifStream, GraphicControlValuesBelongToTheNextImageOnly) {
  GifSample gif = Animation();
  const SampleBytes file = WriteGif(gif);
  GifStream stream;
  ASSERT_TRUE(OpenGif(View(file), &stream));
  EXPECT_EQ(stream.imageCount, 4u);
  GifFrame frames[5];
  for (GifFrame& frame : frames) ASSERT_EQ(ReadGifImage(&stream, &frame), GifRead::Image);
  EXPECT_EQ(frames[1].disposal, kGifRestoreBackground);
  EXPECT_TRUE(frames[1].transparent);
  EXPECT_EQ(frames[1].transparentIndex, 3);
  EXPECT_EQ(frames[2].disposal, kGifRestorePrevious);
  EXPECT_EQ(frames[2].delay, 5);
  EXPECT_EQ(frames[3].disposal, 0);
  EXPECT_FALSE(frames[3].transparent);
  EXPECT_EQ(frames[3].delay, 0);
  EXPECT_EQ(frames[4].delay, 10);  // the first frame again
  EXPECT_EQ(frames[4].width, 5);
  CloseGif(&stream);
}

}  // namespace
