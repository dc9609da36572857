#include "tests/wine/widgets/test_images.h"

namespace {

void Put16(ImageBytes* out, uint32_t value) {
  out->push_back(uint8_t(value));
  out->push_back(uint8_t(value >> 8));
}

void Put32(ImageBytes* out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutInfoHeader(ImageBytes* out, int width, int height, int bits, uint32_t imageBytes) {
  Put32(out, 40);
  Put32(out, uint32_t(width));
  Put32(out, uint32_t(height));
  Put16(out, 1);
  Put16(out, uint32_t(bits));
  Put32(out, BI_RGB);
  Put32(out, imageBytes);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
}

COLORREF g_solid = 0;
COLORREF Solid(int, int) { return g_solid; }

// LZW codes packed from the lowest bit up, in sub-blocks of at most 255.
struct CodeWriter {
  ImageBytes packed;
  uint32_t bits = 0;
  int bitCount = 0;
  void Put(uint32_t code, int width) {
    bits |= code << bitCount;
    bitCount += width;
    while (bitCount >= 8) {
      packed.push_back(uint8_t(bits));
      bits >>= 8;
      bitCount -= 8;
    }
  }
  void Finish(ImageBytes* out) {
    if (bitCount > 0) packed.push_back(uint8_t(bits));
    for (size_t at = 0; at < packed.size(); at += 255) {
      const size_t length = packed.size() - at < 255 ? packed.size() - at : 255;
      out->push_back(uint8_t(length));
      out->insert(out->end(), packed.begin() + long(at), packed.begin() + long(at + length));
    }
    out->push_back(0);
  }
};

}  // namespace

ImageBytes MakeBmp(int width, int height, COLORREF (*colour)(int x, int y)) {
  const uint32_t row = (uint32_t(width) * 3 + 3) / 4 * 4;
  const uint32_t imageBytes = row * uint32_t(height);
  ImageBytes out;
  out.push_back('B');
  out.push_back('M');
  Put32(&out, 54 + imageBytes);
  Put32(&out, 0);
  Put32(&out, 54);
  PutInfoHeader(&out, width, height, 24, imageBytes);
  for (int y = height - 1; y >= 0; --y) {  // rows bottom-up
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      out.push_back(GetBValue(c));
      out.push_back(GetGValue(c));
      out.push_back(GetRValue(c));
    }
    for (uint32_t pad = uint32_t(width) * 3; pad < row; ++pad) out.push_back(0);
  }
  return out;
}

ImageBytes MakeSolidBmp(int width, int height, COLORREF colour) {
  g_solid = colour;
  return MakeBmp(width, height, Solid);
}

ImageBytes MakeTrueColourIcon(int side, COLORREF colour) {
  const uint32_t colourBytes = uint32_t(side * side * 4);
  const uint32_t maskRow = (uint32_t(side) + 31) / 32 * 4;
  const uint32_t imageBytes = 40 + colourBytes + maskRow * uint32_t(side);
  ImageBytes out;
  Put16(&out, 0);
  Put16(&out, 1);  // an icon
  Put16(&out, 1);  // one entry
  out.push_back(uint8_t(side));
  out.push_back(uint8_t(side));
  out.push_back(0);  // colour count: true colour
  out.push_back(0);
  Put16(&out, 1);
  Put16(&out, 32);
  Put32(&out, imageBytes);
  Put32(&out, 6 + 16);
  // The height of an icon image counts the colour bitmap and the mask.
  PutInfoHeader(&out, side, side * 2, 32, colourBytes);
  for (int i = 0; i < side * side; ++i) {
    out.push_back(GetBValue(colour));
    out.push_back(GetGValue(colour));
    out.push_back(GetRValue(colour));
    out.push_back(255);
  }
  out.insert(out.end(), maskRow * uint32_t(side), 0);  // all opaque
  return out;
}

ImageBytes MakeGif(int width, int height, const std::vector<COLORREF>& frames,
                   int delayHundredths) {
  ImageBytes out = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(&out, uint32_t(width));
  Put16(&out, uint32_t(height));
  out.push_back(0x80 | 0x02);  // a global table of 8 colours
  out.push_back(0);
  out.push_back(0);
  for (size_t i = 0; i < 8; ++i) {
    const COLORREF c = i < frames.size() ? frames[i] : 0;
    out.push_back(GetRValue(c));
    out.push_back(GetGValue(c));
    out.push_back(GetBValue(c));
  }
  for (size_t frame = 0; frame < frames.size(); ++frame) {
    const uint8_t control[] = {
        0x21, 0xF9, 4, 0, uint8_t(delayHundredths), uint8_t(delayHundredths >> 8), 0, 0};
    out.insert(out.end(), control, control + sizeof control);
    out.push_back(0x2C);
    Put16(&out, 0);
    Put16(&out, 0);
    Put16(&out, uint32_t(width));
    Put16(&out, uint32_t(height));
    out.push_back(0);
    // Root size 3: clear 8, end 9, 4-bit codes. A clear before every second
    // pixel keeps the table (and the code width) from growing.
    out.push_back(3);
    CodeWriter codes;
    for (int i = 0; i < width * height; ++i) {
      if (i % 2 == 0) codes.Put(8, 4);
      codes.Put(uint32_t(frame), 4);
    }
    codes.Put(9, 4);
    codes.Finish(&out);
  }
  out.push_back(0x3B);
  return out;
}
