// Writes the seed corpus of the image fuzz targets: small sound files of
// each format in their usual forms, made by the sample writers of the
// tests.
//
//   make_image_seeds <corpus folder>   writes <folder>/<target>/<seed>
#include <string>

#include "deflated_png.h"
#include "fuzz/seed_corpus.h"
#include "image_samples.h"

namespace {

// Every decoder's seed is a seed of the target in front of them all too,
// named after its format: "gif_fuzz" and "still" give "gif_still".
void Save(const char* target, const char* seed, const SampleBytes& bytes) {
  SaveSeed(target, seed, bytes);
  const std::string name = target;
  if (name != "cursor_fuzz")
    SaveSeed("pixels_fuzz", name.substr(0, name.find('_')) + "_" + seed, bytes);
}

std::vector<uint8_t> Rgba(int width, int height) {
  std::vector<uint8_t> rgba(size_t(width) * height * 4);
  for (size_t i = 0; i < rgba.size(); ++i) rgba[i] = uint8_t(i * 37 + i / 5);
  return rgba;
}

GifFrameSample Frame(int left, int top, int width, int height, int colours) {
  return GifFrameSampleAt(left, top, width, height, PatternIndexed(width, height, colours).indexes);
}

void GifSeeds() {
  GifSample still = GifSampleScreen(8, 8, 4);
  still.frames = {Frame(0, 0, 8, 8, 4)};
  Save("gif_fuzz", "still", WriteGif(still));

  GifSample animated = GifSampleScreen(10, 6, 16);
  animated.loopExtension = true;
  animated.comment = true;
  GifFrameSample a = Frame(0, 0, 10, 6, 16);
  a.control = true;
  a.disposal = 1;
  a.delay = 10;
  GifFrameSample b = Frame(2, 1, 4, 3, 16);
  b.control = true;
  b.disposal = 2;
  b.transparent = true;
  b.transparentIndex = 3;
  GifFrameSample c = Frame(5, 2, 7, 5, 8);
  c.control = true;
  c.disposal = 3;
  c.localPalette = PatternIndexed(1, 1, 8).palette;
  c.interlaced = true;
  animated.frames = {a, b, c};
  Save("gif_fuzz", "animated", WriteGif(animated));

  GifSample wide = GifSampleScreen(64, 48, 256);
  wide.frames = {Frame(0, 0, 64, 48, 256)};
  wide.clearWhenFull = false;
  Save("gif_fuzz", "full_table", WriteGif(wide));
}

void IcoSeeds() {
  std::vector<IconEntrySample> entries(3);
  entries[0].width = entries[0].height = 16;
  entries[0].colours = 16;
  entries[0].bits = 4;
  entries[0].image =
      IconImage4(16, 16, std::vector<uint8_t>(256, 5), PatternIndexed(1, 1, 16).palette);
  entries[1].width = entries[1].height = 32;
  entries[1].colours = 16;
  entries[1].bits = 4;
  entries[1].image =
      IconImage4(32, 32, std::vector<uint8_t>(1024, 9), PatternIndexed(1, 1, 16).palette);
  entries[2].width = entries[2].height = 48;
  entries[2].image = IconImage32(48, 48, std::vector<uint8_t>(48 * 48 * 4, 0x80));
  Save("ico_fuzz", "three_entries", WriteIco(1, entries));
  Save("ico_fuzz", "cursor", WriteIco(2, {entries[1]}));
  IconEntrySample png;
  png.width = png.height = 0;
  png.image = PngFromRgba(20, 20, Rgba(20, 20));
  Save("ico_fuzz", "png_entry", WriteIco(1, {png}));
}

// Mouse-pointer blocks: a pointer code, and cursor files with and without
// the -1 before them.
void CursorSeeds() {
  Save("cursor_fuzz", "hand_code", {0x89, 0x7F, 0, 0});
  IconEntrySample entry;
  entry.width = entry.height = 32;
  entry.colours = 16;
  entry.planes = 6;  // the hot spot
  entry.bits = 1;
  entry.image = IconImage4(32, 32, std::vector<uint8_t>(1024, 3), PatternIndexed(1, 1, 16).palette);
  const SampleBytes cursor = WriteIco(2, {entry});
  Save("cursor_fuzz", "cursor", cursor);
  SampleBytes marked = {0xFF, 0xFF, 0xFF, 0xFF};
  marked.insert(marked.end(), cursor.begin(), cursor.end());
  Save("cursor_fuzz", "marked_cursor", marked);
  IconEntrySample png;
  png.width = png.height = 24;
  png.image = PngFromRgba(24, 24, Rgba(24, 24));
  Save("cursor_fuzz", "png_cursor", WriteIco(2, {png}));
}

void AllSeeds() {
  const RgbImage pattern = PatternImage(12, 7);
  Save("bmp_fuzz", "rgb24", BmpFromRgb(pattern, 24));
  Save("bmp_fuzz", "rgb32_top_down", BmpFromRgb(pattern, 32, true));
  Save("bmp_fuzz", "indexed1", BmpFromIndexed(PatternIndexed(12, 7, 2), 1));
  Save("bmp_fuzz", "indexed4", BmpFromIndexed(PatternIndexed(12, 7, 16), 4, 9));
  Save("bmp_fuzz", "indexed8", BmpFromIndexed(PatternIndexed(12, 7, 256), 8));

  Save("jpeg_fuzz", "colour", JpegFromRgb(PatternImage(16, 16), 75));
  Save("jpeg_fuzz", "grey", JpegFromRgb(PatternImage(9, 13), 75, true));
  Save("jpeg_fuzz", "progressive", JpegFromRgb(PatternImage(24, 8), 60, false, true));

  Save("png_fuzz", "rgba", PngFromRgba(9, 6, Rgba(9, 6)));
  Save("png_fuzz", "one_pixel", PngFromRgba(1, 1, Rgba(1, 1)));
  const SampleBytes deflated = DeflatedPngFromRgba(11, 7, Rgba(11, 7));
  if (deflated.empty()) SeedFailed();
  Save("png_fuzz", "deflated", deflated);

  GifSeeds();

  Save("pcx_fuzz", "paletted", PcxFromIndexed(PatternIndexed(13, 5, 256), true));
  Save("pcx_fuzz", "no_palette", PcxFromIndexed(PatternIndexed(6, 6, 64), false));
  std::vector<uint8_t> bits(21 * 9);
  for (size_t i = 0; i < bits.size(); ++i) bits[i] = (i / 3) % 2;
  Save("pcx_fuzz", "mono", PcxMono(21, 9, bits));

  IcoSeeds();
  CursorSeeds();
}

}  // namespace

int main(int argc, char** argv) { return WriteSeeds(argc, argv, "make_image_seeds", AllSeeds); }
