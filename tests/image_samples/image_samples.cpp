#include "image_samples.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <tuple>
#include <unordered_map>
#include <utility>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "services/little_endian.h"

namespace {

void Put16(SampleBytes* out, uint32_t value) {
  uint8_t b[2];
  StoreLe16(uint16_t(value), b);
  out->insert(out->end(), b, b + 2);
}

void Put32(SampleBytes* out, uint32_t value) {
  uint8_t b[4];
  StoreLe32(value, b);
  out->insert(out->end(), b, b + 4);
}

size_t Pad(size_t bytes, size_t align) { return (bytes + align - 1) / align * align; }

void PutInfoHeader(SampleBytes* out, int width, int height, int bits, uint32_t colours,
                   uint32_t imageBytes) {
  Put32(out, 40);
  Put32(out, uint32_t(width));
  Put32(out, uint32_t(height));
  Put16(out, 1);
  Put16(out, uint32_t(bits));
  Put32(out, 0);
  Put32(out, imageBytes);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, colours);
  Put32(out, 0);
}

// Packs a row of indexes of `bits` bits, most significant bits first.
void PackIndexes(const uint8_t* indexes, int width, int bits, uint8_t* out) {
  for (int x = 0; x < width; ++x) {
    const int bit = x * bits;
    out[bit / 8] |= uint8_t(indexes[x] << (8 - bits - bit % 8));
  }
}

}  // namespace

RgbImage PatternImage(int width, int height) {
  RgbImage image{width, height, std::vector<uint8_t>(size_t(width) * height * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* p = image.rgb.data() + (size_t(y) * width + x) * 3;
      p[0] = uint8_t(x * 37 + y * 11);
      p[1] = uint8_t(y * 53 + 7);
      p[2] = uint8_t(x * 5 + y * 29 + 100);
    }
  return image;
}

RgbImage PhotoLikeImage(int width, int height, uint32_t seed) {
  RgbImage image{width, height, std::vector<uint8_t>(size_t(width) * height * 3)};
  uint32_t state = seed * 2654435761u + 1;
  auto noise = [&state]() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return int(state % 17) - 8;
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      // A sky-like gradient above a horizon, darker ground with stripes
      // below, a disc with a hard edge, and grain everywhere.
      const int horizon = height * 3 / 5;
      int r, g, b;
      if (y < horizon) {
        r = 90 + y * 80 / horizon;
        g = 140 + y * 60 / horizon;
        b = 230 - y * 40 / horizon;
      } else {
        r = 70 + ((x / 23 + y / 17) % 5) * 12;
        g = 90 + (x * 3 + y) % 40;
        b = 40 + (y - horizon) * 30 / (height - horizon + 1);
      }
      const int dx = x - width / 3, dy = y - height / 3, radius = height / 6;
      if (dx * dx + dy * dy < radius * radius) {
        r = 250;
        g = 220 - (dx * dx + dy * dy) * 60 / (radius * radius + 1);
        b = 120;
      }
      uint8_t* p = image.rgb.data() + (size_t(y) * width + x) * 3;
      const int n = noise();
      p[0] = uint8_t(r + n < 0 ? 0 : r + n > 255 ? 255 : r + n);
      p[1] = uint8_t(g + n < 0 ? 0 : g + n > 255 ? 255 : g + n);
      p[2] = uint8_t(b + n < 0 ? 0 : b + n > 255 ? 255 : b + n);
    }
  return image;
}

IndexedImage PatternIndexed(int width, int height, int colours) {
  IndexedImage image{width, height, std::vector<uint8_t>(size_t(width) * height),
                     std::vector<uint8_t>(size_t(colours) * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.indexes[size_t(y) * width + x] = uint8_t((x * 7 + y * 3) % colours);
  for (int i = 0; i < colours; ++i) {
    image.palette[i * 3] = uint8_t(i * 97 + 13);
    image.palette[i * 3 + 1] = uint8_t(i * 59 + 200);
    image.palette[i * 3 + 2] = uint8_t(i * 31 + 77);
  }
  return image;
}

SampleBytes BmpFromRgb(const RgbImage& image, int bitCount, bool topDown) {
  const size_t pixelBytes = size_t(bitCount / 8);
  const size_t row = Pad(size_t(image.width) * pixelBytes, 4);
  const uint32_t imageBytes = uint32_t(row * image.height);
  SampleBytes out = {'B', 'M'};
  Put32(&out, 54 + imageBytes);
  Put32(&out, 0);
  Put32(&out, 54);
  PutInfoHeader(&out, image.width, topDown ? -image.height : image.height, bitCount, 0, imageBytes);
  for (int r = 0; r < image.height; ++r) {
    const int y = topDown ? r : image.height - 1 - r;
    SampleBytes line(row, 0);
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = image.At(x, y);
      uint8_t* q = line.data() + x * pixelBytes;
      q[0] = p[2];
      q[1] = p[1];
      q[2] = p[0];
      if (pixelBytes == 4) q[3] = 0xA5;
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

SampleBytes BmpFromIndexed(const IndexedImage& image, int bitCount, uint32_t coloursUsed) {
  const uint32_t tableEntries = coloursUsed ? coloursUsed : 1u << bitCount;
  const size_t row = Pad((size_t(image.width) * bitCount + 7) / 8, 4);
  const uint32_t imageBytes = uint32_t(row * image.height);
  const uint32_t dataOffset = 54 + tableEntries * 4;
  SampleBytes out = {'B', 'M'};
  Put32(&out, dataOffset + imageBytes);
  Put32(&out, 0);
  Put32(&out, dataOffset);
  PutInfoHeader(&out, image.width, image.height, bitCount, coloursUsed, imageBytes);
  for (uint32_t i = 0; i < tableEntries; ++i) {
    const size_t at = i * 3;
    const bool known = at + 2 < image.palette.size();
    out.push_back(known ? image.palette[at + 2] : 0);
    out.push_back(known ? image.palette[at + 1] : 0);
    out.push_back(known ? image.palette[at] : 0);
    out.push_back(0);
  }
  for (int r = 0; r < image.height; ++r) {
    const int y = image.height - 1 - r;
    SampleBytes line(row, 0);
    PackIndexes(image.indexes.data() + size_t(y) * image.width, image.width, bitCount, line.data());
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

namespace {

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFF;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
  }
  return ~crc;
}

void PutBe32(SampleBytes* out, uint32_t value) {
  const uint8_t b[4] = {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8),
                        uint8_t(value)};
  out->insert(out->end(), b, b + 4);
}

void PutChunk(SampleBytes* png, const char* type, const SampleBytes& data) {
  PutBe32(png, uint32_t(data.size()));
  const size_t typeAt = png->size();
  png->insert(png->end(), type, type + 4);
  png->insert(png->end(), data.begin(), data.end());
  PutBe32(png, Crc32(png->data() + typeAt, 4 + data.size()));
}

}  // namespace

// The image data is a zlib stream of stored (uncompressed) deflate blocks:
// the Windows tree's zlib has no compressor, and the decoder reads stored
// blocks like any others.
SampleBytes PngFromRgba(int width, int height, const std::vector<uint8_t>& rgba) {
  SampleBytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  SampleBytes header;
  PutBe32(&header, uint32_t(width));
  PutBe32(&header, uint32_t(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, no interlace
  PutChunk(&png, "IHDR", header);

  SampleBytes raw;
  const size_t row = size_t(width) * 4;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    raw.insert(raw.end(), rgba.begin() + long(y * row), rgba.begin() + long((y + 1) * row));
  }
  SampleBytes stream = {0x78, 0x01};
  size_t at = 0;
  do {
    const size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
    stream.push_back(at + n == raw.size() ? 1 : 0);
    Put16(&stream, uint32_t(n));
    Put16(&stream, uint32_t(~n & 0xFFFF));
    stream.insert(stream.end(), raw.begin() + long(at), raw.begin() + long(at + n));
    at += n;
  } while (at < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBe32(&stream, b << 16 | a);
  PutChunk(&png, "IDAT", stream);
  PutChunk(&png, "IEND", {});
  return png;
}

SampleBytes JpegFromRgb(const RgbImage& image, int quality, bool greyscale, bool progressive) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* memory = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &memory, &size);
  cinfo.image_width = JDIMENSION(image.width);
  cinfo.image_height = JDIMENSION(image.height);
  cinfo.input_components = greyscale ? 1 : 3;
  cinfo.in_color_space = greyscale ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> line(size_t(image.width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = int(cinfo.next_scanline);
    if (greyscale) {
      for (int x = 0; x < image.width; ++x) line[x] = image.At(x, y)[0];
    } else {
      memcpy(line.data(), image.At(0, y), line.size());
    }
    JSAMPROW row = line.data();
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  SampleBytes out(memory, memory + size);
  free(memory);
  return out;
}

SampleBytes GifLzwData(const uint8_t* indexes, size_t count, int rootBits, bool clearWhenFull) {
  SampleBytes data;
  data.push_back(uint8_t(rootBits));
  SampleBytes packed;
  uint32_t bits = 0, bitCount = 0;
  int codeBits = rootBits + 1;
  auto emit = [&](uint32_t code) {
    bits |= code << bitCount;
    bitCount += uint32_t(codeBits);
    while (bitCount >= 8) {
      packed.push_back(uint8_t(bits));
      bits >>= 8;
      bitCount -= 8;
    }
  };
  const uint32_t clear = 1u << rootBits, end = clear + 1;
  std::unordered_map<uint32_t, uint32_t> table;
  uint32_t next = clear + 2;
  emit(clear);
  if (count > 0) {
    uint32_t prefix = indexes[0];
    for (size_t i = 1; i < count; ++i) {
      const uint32_t key = prefix << 8 | indexes[i];
      auto found = table.find(key);
      if (found != table.end()) {
        prefix = found->second;
        continue;
      }
      emit(prefix);
      if (next < 4096) {
        table[key] = next++;
        // The decoder's table runs one entry behind: it widens its codes
        // when its next free code reaches 2^bits, so the writer widens one
        // entry later.
        if (next == (1u << codeBits) + 1 && codeBits < 12) ++codeBits;
      } else if (clearWhenFull) {
        emit(clear);
        table.clear();
        next = clear + 2;
        codeBits = rootBits + 1;
      }
      prefix = indexes[i];
    }
    emit(prefix);
  }
  emit(end);
  if (bitCount > 0) packed.push_back(uint8_t(bits));
  for (size_t at = 0; at < packed.size(); at += 255) {
    const size_t n = packed.size() - at < 255 ? packed.size() - at : 255;
    data.push_back(uint8_t(n));
    data.insert(data.end(), packed.begin() + long(at), packed.begin() + long(at + n));
  }
  data.push_back(0);
  return data;
}

namespace {

// The size field of a colour table: 2^(n+1) entries hold `bytes` / 3.
int TableSizeField(size_t bytes) {
  int n = 0;
  while ((size_t(3) << (n + 1)) < bytes) ++n;
  return n;
}

void PutTable(SampleBytes* out, const std::vector<uint8_t>& rgb) {
  const size_t full = size_t(3) << (TableSizeField(rgb.size()) + 1);
  out->insert(out->end(), rgb.begin(), rgb.end());
  out->insert(out->end(), full - rgb.size(), 0);
}

}  // namespace

GifFrameSample GifFrameSampleAt(int left, int top, int width, int height,
                                std::vector<uint8_t> indexes) {
  GifFrameSample frame;
  std::tie(frame.left, frame.top, frame.width, frame.height) =
      std::make_tuple(left, top, width, height);
  frame.indexes = std::move(indexes);
  return frame;
}

GifSample GifSampleScreen(int width, int height, int colours) {
  GifSample gif;
  gif.screenWidth = width;
  gif.screenHeight = height;
  gif.globalPalette = PatternIndexed(1, 1, colours).palette;
  return gif;
}

SampleBytes WriteGif(const GifSample& gif) {
  SampleBytes out = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(&out, uint32_t(gif.screenWidth));
  Put16(&out, uint32_t(gif.screenHeight));
  const bool global = !gif.globalPalette.empty();
  out.push_back(uint8_t(global ? 0x80 | 0x70 | TableSizeField(gif.globalPalette.size()) : 0));
  out.push_back(0);
  out.push_back(0);
  if (global) PutTable(&out, gif.globalPalette);
  if (gif.loopExtension) {
    const uint8_t loop[] = {0x21, 0xFF, 11,  'N', 'E', 'T', 'S', 'C', 'A', 'P',
                            'E',  '2',  '.', '0', 3,   1,   0,   0,   0};
    out.insert(out.end(), loop, loop + sizeof loop);
  }
  if (gif.comment) {
    const uint8_t comment[] = {0x21, 0xFE, 5, 'h', 'e', 'l', 'l', 'o', 0};
    out.insert(out.end(), comment, comment + sizeof comment);
  }
  for (const GifFrameSample& frame : gif.frames) {
    if (frame.control) {
      out.insert(out.end(), {0x21, 0xF9, 4});
      out.push_back(uint8_t(frame.disposal << 2 | (frame.transparent ? 1 : 0)));
      Put16(&out, frame.delay);
      out.push_back(frame.transparentIndex);
      out.push_back(0);
    }
    out.push_back(0x2C);
    Put16(&out, uint32_t(frame.left));
    Put16(&out, uint32_t(frame.top));
    Put16(&out, uint32_t(frame.width));
    Put16(&out, uint32_t(frame.height));
    const bool local = !frame.localPalette.empty();
    const int sizeField = local    ? TableSizeField(frame.localPalette.size())
                          : global ? TableSizeField(gif.globalPalette.size())
                                   : 7;
    out.push_back(uint8_t((local ? 0x80 | sizeField : 0) | (frame.interlaced ? 0x40 : 0)));
    if (local) PutTable(&out, frame.localPalette);
    std::vector<uint8_t> stored = frame.indexes;
    if (frame.interlaced) {
      stored.clear();
      const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < frame.height; y += step[pass])
          stored.insert(stored.end(), frame.indexes.begin() + long(y) * frame.width,
                        frame.indexes.begin() + long(y + 1) * frame.width);
    }
    const int rootBits = sizeField + 1 < 2 ? 2 : sizeField + 1;
    SampleBytes lzw = GifLzwData(stored.data(), stored.size(), rootBits, gif.clearWhenFull);
    out.insert(out.end(), lzw.begin(), lzw.end());
  }
  out.push_back(0x3B);
  return out;
}

namespace {

// Run-length encodes one scan line: runs of up to 63, and any byte of
// 0xC0 or more as a run of one, so that it is not read as a count.
void PutRuns(SampleBytes* out, const uint8_t* line, size_t length) {
  size_t i = 0;
  while (i < length) {
    size_t run = 1;
    while (i + run < length && run < 63 && line[i + run] == line[i]) ++run;
    if (run > 1 || line[i] >= 0xC0) out->push_back(uint8_t(0xC0 + run));
    out->push_back(line[i]);
    i += run;
  }
}

SampleBytes PcxHeader(int width, int height, uint8_t version, uint8_t bits, size_t lineBytes) {
  SampleBytes out(128, 0);
  out[0] = 10;
  out[1] = version;
  out[2] = 1;
  out[3] = bits;
  StoreLe16(0, &out[4]);
  StoreLe16(0, &out[6]);
  StoreLe16(uint16_t(width - 1), &out[8]);
  StoreLe16(uint16_t(height - 1), &out[10]);
  StoreLe16(72, &out[12]);
  StoreLe16(72, &out[14]);
  out[65] = 1;
  StoreLe16(uint16_t(lineBytes), &out[66]);
  StoreLe16(1, &out[68]);
  return out;
}

}  // namespace

SampleBytes PcxFromIndexed(const IndexedImage& image, bool withPalette, uint8_t version) {
  const size_t lineBytes = Pad(size_t(image.width), 2);
  SampleBytes out = PcxHeader(image.width, image.height, version, 8, lineBytes);
  std::vector<uint8_t> line(lineBytes, 0);
  for (int y = 0; y < image.height; ++y) {
    memcpy(line.data(), image.indexes.data() + size_t(y) * image.width, size_t(image.width));
    PutRuns(&out, line.data(), lineBytes);
  }
  if (withPalette) {
    out.push_back(12);
    for (size_t i = 0; i < 768; ++i) out.push_back(i < image.palette.size() ? image.palette[i] : 0);
  }
  return out;
}

SampleBytes PcxMono(int width, int height, const std::vector<uint8_t>& bits, uint8_t version) {
  const size_t lineBytes = Pad((size_t(width) + 7) / 8, 2);
  SampleBytes out = PcxHeader(width, height, version, 1, lineBytes);
  for (int y = 0; y < height; ++y) {
    std::vector<uint8_t> line(lineBytes, 0);
    for (int x = 0; x < width; ++x)
      if (bits[size_t(y) * width + x]) line[x / 8] |= uint8_t(0x80 >> (x % 8));
    PutRuns(&out, line.data(), lineBytes);
  }
  return out;
}

SampleBytes IconImage32(int width, int height, const std::vector<uint8_t>& bgra) {
  SampleBytes out;
  const size_t maskRow = Pad((size_t(width) + 7) / 8, 4);
  PutInfoHeader(&out, width, height * 2, 32, 0, uint32_t((width * 4 + maskRow) * height));
  for (int r = 0; r < height; ++r) {
    const int y = height - 1 - r;
    out.insert(out.end(), bgra.begin() + long(y) * width * 4,
               bgra.begin() + long(y + 1) * width * 4);
  }
  out.insert(out.end(), maskRow * height, 0);
  return out;
}

SampleBytes IconImage4(int width, int height, const std::vector<uint8_t>& indexes,
                       const std::vector<uint8_t>& palette16Rgb) {
  SampleBytes out;
  const size_t row = Pad((size_t(width) * 4 + 7) / 8, 4);
  const size_t maskRow = Pad((size_t(width) + 7) / 8, 4);
  PutInfoHeader(&out, width, height * 2, 4, 0, uint32_t((row + maskRow) * height));
  for (int i = 0; i < 16; ++i) {
    out.push_back(palette16Rgb[i * 3 + 2]);
    out.push_back(palette16Rgb[i * 3 + 1]);
    out.push_back(palette16Rgb[i * 3]);
    out.push_back(0);
  }
  for (int r = 0; r < height; ++r) {
    SampleBytes line(row, 0);
    PackIndexes(indexes.data() + size_t(height - 1 - r) * width, width, 4, line.data());
    out.insert(out.end(), line.begin(), line.end());
  }
  out.insert(out.end(), maskRow * height, 0);
  return out;
}

SampleBytes WriteIco(int type, const std::vector<IconEntrySample>& entries) {
  SampleBytes out;
  Put16(&out, 0);
  Put16(&out, uint32_t(type));
  Put16(&out, uint32_t(entries.size()));
  uint32_t offset = uint32_t(6 + 16 * entries.size());
  for (const IconEntrySample& entry : entries) {
    out.push_back(entry.width);
    out.push_back(entry.height);
    out.push_back(entry.colours);
    out.push_back(0);
    Put16(&out, entry.planes);
    Put16(&out, entry.bits);
    Put32(&out, uint32_t(entry.image.size()));
    Put32(&out, offset);
    offset += uint32_t(entry.image.size());
  }
  for (const IconEntrySample& entry : entries)
    out.insert(out.end(), entry.image.begin(), entry.image.end());
  return out;
}
