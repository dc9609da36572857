// Decoding speed of the picture decoders against the libraries they stand
// beside: PNG and JPEG against libpng's simplified reader and libjpeg
// called directly on the same bytes (the decoders add only their checks and
// the layout of the record), GIF against giflib decoding the same animation.
// Reports, never fails.
//
//   image_decode_bench [--quick] [logo.png] [product.jpg]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

#include "deflated_png.h"
#include "image_samples.h"
#include "widgets/image/gif_canvas.h"
#include "widgets/image/gif_stream.h"
#include "widgets/image/jpeg_decoder.h"
#include "widgets/image/png_decoder.h"

namespace {

bool quick = false;

ByteBlock View(const SampleBytes& bytes) { return ByteBlock{bytes.data(), uint32_t(bytes.size())}; }

SampleBytes ReadFile(const char* path) {
  SampleBytes bytes;
  FILE* file = fopen(path, "rb");
  if (!file) return bytes;
  uint8_t buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
    bytes.insert(bytes.end(), buffer, buffer + n);
  fclose(file);
  return bytes;
}

double Seconds(const std::function<void()>& work, int repeat) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeat; ++i) work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / repeat;
}

// The best of several rounds, the two sides taking turns, so that another
// build on the machine slows both alike.
void Compare(const char* what, const std::function<void()>& ours,
             const std::function<void()>& library, const char* libraryName, double goal) {
  const int rounds = quick ? 3 : 21;
  ours();
  library();
  const double probe = Seconds(ours, 1);
  const int repeat = std::max(1, int((quick ? 0.02 : 0.1) / std::max(probe, 1e-6)));
  double bestOurs = 1e9, bestLibrary = 1e9;
  for (int r = 0; r < rounds; ++r) {
    // Which side goes first changes every round.
    if (r % 2) bestLibrary = std::min(bestLibrary, Seconds(library, repeat));
    bestOurs = std::min(bestOurs, Seconds(ours, repeat));
    if (r % 2 == 0) bestLibrary = std::min(bestLibrary, Seconds(library, repeat));
  }
  const double ratio = bestLibrary / bestOurs;
  printf("%-34s ours %9.3f ms  %-8s %9.3f ms  speed ratio %.3f (goal >= %.2f) %s\n", what,
         bestOurs * 1e3, libraryName, bestLibrary * 1e3, ratio, goal,
         ratio >= goal ? "met" : "NOT MET");
}

// The library side, like the decoders, puts each image into a new buffer of
// its own (not initialised), so that both pay for fresh memory alike.
struct Pixels {
  uint8_t* data = nullptr;
  size_t size = 0;
  void Allocate(size_t n) {
    delete[] data;
    data = new uint8_t[n];
    size = n;
  }
  ~Pixels() { delete[] data; }
  std::vector<uint8_t> Copy() const { return std::vector<uint8_t>(data, data + size); }
};

// --- PNG ----------------------------------------------------------------------

void LibraryPng(const SampleBytes& file, Pixels* pixels) {
  png_image image;
  memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return;
  image.format = PNG_FORMAT_BGRA;
  pixels->Allocate(PNG_IMAGE_SIZE(image));
  png_image_finish_read(&image, nullptr, pixels->data, 0, nullptr);
}

void OursPng(const SampleBytes& file, std::vector<uint8_t>* pixels) {
  DecodedImage image;
  if (!DecodePng(View(file), &image)) return;
  if (pixels) pixels->assign(image.pixels, image.pixels + image.size);
  ReleasePixels(image.pixels);
}

void BenchPng(const char* what, const SampleBytes& file) {
  if (file.empty()) {
    printf("%-34s (no file)\n", what);
    return;
  }
  Pixels library;
  std::vector<uint8_t> ours;
  LibraryPng(file, &library);
  OursPng(file, &ours);
  if (library.Copy() != ours || ours.empty()) printf("%s: the two decodes DIFFER\n", what);
  Compare(
      what, [&] { OursPng(file, nullptr); },
      [&] {
        Pixels pixels;
        LibraryPng(file, &pixels);
      },
      "libpng", 0.95);
}

// --- JPEG ---------------------------------------------------------------------

void LibraryJpeg(const SampleBytes& file, Pixels* pixels) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), file.size());
  jpeg_read_header(&cinfo, TRUE);
  jpeg_start_decompress(&cinfo);
  const size_t row = size_t(cinfo.output_width) * cinfo.output_components;
  pixels->Allocate(row * cinfo.output_height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW line = pixels->data + cinfo.output_scanline * row;
    jpeg_read_scanlines(&cinfo, &line, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
}

void BenchJpeg(const char* what, const SampleBytes& file) {
  if (file.empty()) {
    printf("%-34s (no file)\n", what);
    return;
  }
  Compare(
      what,
      [&] {
        DecodedImage image;
        if (DecodeJpeg(View(file), &image)) ReleasePixels(image.pixels);
      },
      [&] {
        Pixels pixels;
        LibraryJpeg(file, &pixels);
      },
      "libjpeg", 0.95);
}

// --- GIF ----------------------------------------------------------------------

struct Reader {
  const SampleBytes* file;
  size_t at;
};

int ReadGifBytes(GifFileType* gif, GifByteType* out, int count) {
  Reader* reader = static_cast<Reader*>(gif->UserData);
  const size_t n = std::min(size_t(count), reader->file->size() - reader->at);
  memcpy(out, reader->file->data() + reader->at, n);
  reader->at += n;
  return int(n);
}

// Every image's indexes, as giflib decodes them.
std::vector<std::vector<uint8_t>> GiflibImages(const SampleBytes& file) {
  std::vector<std::vector<uint8_t>> images;
  Reader reader{&file, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, ReadGifBytes, &error);
  if (!gif) return images;
  if (DGifSlurp(gif) == GIF_OK) {
    for (int i = 0; i < gif->ImageCount; ++i) {
      const SavedImage& image = gif->SavedImages[i];
      images.emplace_back(image.RasterBits, image.RasterBits + size_t(image.ImageDesc.Width) *
                                                                   image.ImageDesc.Height);
    }
  }
  DGifCloseFile(gif, &error);
  return images;
}

// Every image's indexes, as the GIF reader of the decoders gives them.
std::vector<std::vector<uint8_t>> OurImages(const SampleBytes& file, bool keep) {
  std::vector<std::vector<uint8_t>> images;
  GifStream stream;
  if (!OpenGif(View(file), &stream)) return images;
  GifFrame frame;
  for (uint32_t i = 0; i < stream.imageCount; ++i) {
    if (ReadGifImage(&stream, &frame) != GifRead::Image) break;
    if (keep)
      images.emplace_back(frame.indexes, frame.indexes + size_t(frame.width) * frame.height);
  }
  CloseGif(&stream);
  return images;
}

// A 480 x 270 animation of 24 frames: a whole first frame of a photograph in
// 256 colours, then moving parts of it, some with a transparent index.
SampleBytes AnimatedGif() {
  const int width = 480, height = 270;
  const RgbImage photo = PhotoLikeImage(width * 2, height, 7);
  GifSample gif;
  gif.screenWidth = width;
  gif.screenHeight = height;
  for (int i = 0; i < 256; ++i) {
    gif.globalPalette.push_back(uint8_t((i >> 5) * 255 / 7));
    gif.globalPalette.push_back(uint8_t(((i >> 2) & 7) * 255 / 7));
    gif.globalPalette.push_back(uint8_t((i & 3) * 255 / 3));
  }
  gif.loopExtension = true;
  auto frameAt = [&](int left, int top, int w, int h, int shift) {
    GifFrameSample frame;
    frame.left = left;
    frame.top = top;
    frame.width = w;
    frame.height = h;
    frame.control = true;
    frame.delay = 4;
    frame.disposal = uint8_t(shift % 4 == 3 ? 2 : 1);
    frame.transparent = shift % 2 == 1;
    frame.transparentIndex = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint8_t* p = photo.At(left + x + shift * 8, top + y);
        frame.indexes.push_back(uint8_t((p[0] >> 5) << 5 | (p[1] >> 5) << 2 | p[2] >> 6));
      }
    return frame;
  };
  gif.frames.push_back(frameAt(0, 0, width, height, 0));
  for (int i = 1; i < 24; ++i) gif.frames.push_back(frameAt(40 + i * 4, 30 + i * 2, 240, 160, i));
  return WriteGif(gif);
}

void BenchGif() {
  const SampleBytes file = AnimatedGif();
  const auto theirs = GiflibImages(file);
  const auto ours = OurImages(file, true);
  if (theirs.empty() || theirs != ours) printf("animated GIF: the two decodes DIFFER\n");
  char what[64];
  snprintf(what, sizeof what, "GIF %zu frames, %zu bytes", ours.size(), file.size());
  Compare(
      what, [&] { OurImages(file, false); }, [&] { GiflibImages(file); }, "giflib", 1.0);
  // The player draws every frame on its canvas besides decoding it.
  GifCanvas canvas;
  const double playback = Seconds(
      [&] {
        if (!OpenGifCanvas(View(file), 0x00FF4646, &canvas)) return;
        uint32_t delay;
        for (uint32_t i = 0; i < canvas.stream.imageCount; ++i) DrawNextGifFrame(&canvas, &delay);
        CloseGifCanvas(&canvas);
      },
      quick ? 3 : 20);
  printf("%-34s %9.3f ms for all frames (decoded and drawn)\n", "GIF player canvas",
         playback * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
  const char* logo = nullptr;
  const char* productJpeg = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--quick") == 0)
      quick = true;
    else if (!logo)
      logo = argv[i];
    else
      productJpeg = argv[i];
  }
  const RgbImage photo = PhotoLikeImage(1920, 1080, 1);
  std::vector<uint8_t> rgba;
  for (size_t i = 0; i < photo.rgb.size(); i += 3) {
    rgba.insert(rgba.end(), photo.rgb.begin() + long(i), photo.rgb.begin() + long(i + 3));
    rgba.push_back(uint8_t(255 - (i / 3) % 200));
  }
  printf("Picture decoding (best of %d rounds; ratio = library time / our time)\n", quick ? 3 : 21);
  BenchPng("PNG logo 200x200", logo ? ReadFile(logo) : SampleBytes());
  BenchPng("PNG photograph 1920x1080", DeflatedPngFromRgba(1920, 1080, rgba));
  BenchJpeg("JPEG photograph 1920x1080 q85", JpegFromRgb(photo, 85));
  BenchJpeg("JPEG product button 19x19", productJpeg ? ReadFile(productJpeg) : SampleBytes());
  BenchGif();
  return 0;
}
