// The generated assets, checked through their headers: the pictures of the
// window template (PNG, JPEG, ICO), the product icon of the payload and the
// licence agreement in the form the program shows it.

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gbk.h"

namespace {

const std::string kAssets = MORVANE_ASSETS_DIR;

std::string ReadFile(const std::string& path) {
  std::string bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  std::fclose(f);
  return bytes;
}

// Bounds-checked little- and big-endian reads; out of range reads give 0 and
// mark the reader as failed, so a short file fails the test instead of
// reading past its end.
struct Bytes {
  const std::string& data;
  bool failed = false;
  uint32_t Byte(size_t at) {
    if (at >= data.size()) {
      failed = true;
      return 0;
    }
    return static_cast<uint8_t>(data[at]);
  }
  uint32_t Le16(size_t at) { return Byte(at) | Byte(at + 1) << 8; }
  uint32_t Le32(size_t at) { return Le16(at) | Le16(at + 2) << 16; }
  uint32_t Be16(size_t at) { return Byte(at) << 8 | Byte(at + 1); }
  uint32_t Be32(size_t at) { return Be16(at) << 16 | Be16(at + 2); }
};

uint32_t Crc32(const std::string& data, size_t at, size_t length) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = at; i < at + length; ++i) {
    crc ^= static_cast<uint8_t>(data[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// ---------------------------------------------------------------- PNG ----

struct PngInfo {
  uint32_t width = 0, height = 0, bitDepth = 0, colourType = 0, interlace = 0;
  bool chunksIntact = false;  // every chunk inside the file with a good CRC, IEND last
};

const char kPngSignature[8] = {char(0x89), 'P', 'N', 'G', '\r', '\n', char(0x1A), '\n'};

PngInfo ReadPng(const std::string& file) {
  PngInfo info;
  Bytes b{file};
  if (file.compare(0, 8, kPngSignature, 8) != 0) return info;
  if (b.Be32(8) != 13 || file.compare(12, 4, "IHDR") != 0) return info;
  info.width = b.Be32(16);
  info.height = b.Be32(20);
  info.bitDepth = b.Byte(24);
  info.colourType = b.Byte(25);
  info.interlace = b.Byte(28);
  size_t at = 8;
  while (at + 12 <= file.size()) {
    const uint32_t length = b.Be32(at);
    if (length > file.size() - at - 12) return info;
    if (Crc32(file, at + 4, length + 4) != b.Be32(at + 8 + length)) return info;
    const bool end = file.compare(at + 4, 4, "IEND") == 0;
    at += 12 + length;
    if (end) {
      info.chunksIntact = at == file.size() && !b.failed;
      break;
    }
  }
  return info;
}

TEST(TemplatePictures, PngsAreEightBitRgbaOfTheirSize) {
  const struct {
    const char* name;
    uint32_t width, height;
  } pictures[] = {
      {"images/logo.png", 200, 200},
      {"images/install-normal.png", 122, 39},
      {"images/install-hover.png", 122, 39},
  };
  for (const auto& p : pictures) {
    SCOPED_TRACE(p.name);
    const std::string file = ReadFile(kAssets + "/" + p.name);
    ASSERT_FALSE(file.empty());
    const PngInfo png = ReadPng(file);
    EXPECT_TRUE(png.chunksIntact);
    EXPECT_EQ(png.width, p.width);
    EXPECT_EQ(png.height, p.height);
    EXPECT_EQ(png.bitDepth, 8u);
    EXPECT_EQ(png.colourType, 6u) << "RGBA";
    EXPECT_EQ(png.interlace, 0u);
  }
  EXPECT_NE(ReadFile(kAssets + "/images/install-normal.png"),
            ReadFile(kAssets + "/images/install-hover.png"))
      << "the hovered button must look different";
}

TEST(TemplatePictures, PngReaderRefusesDamage) {
  const std::string good = ReadFile(kAssets + "/images/install-normal.png");
  ASSERT_TRUE(ReadPng(good).chunksIntact);
  std::string flipped = good;
  flipped[good.size() / 2] ^= 0x10;
  EXPECT_FALSE(ReadPng(flipped).chunksIntact);
  EXPECT_FALSE(ReadPng(good.substr(0, good.size() - 1)).chunksIntact);
  EXPECT_FALSE(ReadPng(good.substr(0, 20)).chunksIntact);
}

// --------------------------------------------------------------- JPEG ----

struct JpegInfo {
  bool wellFormed = false;             // SOI, segments inside the file, a scan, EOI at the end
  std::vector<uint32_t> frameMarkers;  // every SOFn marker seen
  uint32_t precision = 0, width = 0, height = 0;
  std::vector<std::pair<uint32_t, uint32_t>> components;  // id, sampling factors
};

JpegInfo ReadJpeg(const std::string& file) {
  JpegInfo info;
  Bytes b{file};
  if (b.Be16(0) != 0xFFD8) return info;
  size_t at = 2;
  while (at + 4 <= file.size()) {
    if (b.Byte(at) != 0xFF) return info;
    const uint32_t marker = b.Be16(at);
    const uint32_t length = b.Be16(at + 2);
    if (length < 2 || at + 2 + length > file.size()) return info;
    const bool sof = marker >= 0xFFC0 && marker <= 0xFFCF && marker != 0xFFC4 && marker != 0xFFC8 &&
                     marker != 0xFFCC;
    if (sof) {
      info.frameMarkers.push_back(marker);
      info.precision = b.Byte(at + 4);
      info.height = b.Be16(at + 5);
      info.width = b.Be16(at + 7);
      const uint32_t count = b.Byte(at + 9);
      if (length != 8 + 3 * count) return info;
      for (uint32_t i = 0; i < count; ++i)
        info.components.emplace_back(b.Byte(at + 10 + 3 * i), b.Byte(at + 11 + 3 * i));
    }
    if (marker == 0xFFDA) {
      // The entropy-coded scan runs to EOI (a single scan: baseline).
      info.wellFormed = !b.failed && file.size() >= 2 && b.Be16(file.size() - 2) == 0xFFD9;
      return info;
    }
    at += 2 + length;
  }
  return info;
}

TEST(TemplatePictures, BannerButtonsAreBaselineYCbCrJpegs) {
  for (const char* name : {"images/minimise-normal.jpg", "images/minimise-hover.jpg",
                           "images/close-normal.jpg", "images/close-hover.jpg"}) {
    SCOPED_TRACE(name);
    const std::string file = ReadFile(kAssets + "/" + name);
    ASSERT_FALSE(file.empty());
    const JpegInfo jpeg = ReadJpeg(file);
    EXPECT_TRUE(jpeg.wellFormed);
    EXPECT_EQ(jpeg.frameMarkers, std::vector<uint32_t>{0xFFC0}) << "one baseline frame";
    EXPECT_EQ(jpeg.precision, 8u);
    EXPECT_EQ(jpeg.width, 19u);
    EXPECT_EQ(jpeg.height, 19u);
    ASSERT_EQ(jpeg.components.size(), 3u);
    for (uint32_t i = 0; i < 3; ++i) EXPECT_EQ(jpeg.components[i].first, i + 1) << "Y, Cb, Cr";
  }
  EXPECT_NE(ReadFile(kAssets + "/images/close-normal.jpg"),
            ReadFile(kAssets + "/images/close-hover.jpg"));
  EXPECT_NE(ReadFile(kAssets + "/images/minimise-normal.jpg"),
            ReadFile(kAssets + "/images/minimise-hover.jpg"));
}

TEST(TemplatePictures, JpegReaderRefusesProgressiveAndTruncatedFiles) {
  const std::string good = ReadFile(kAssets + "/images/close-normal.jpg");
  ASSERT_TRUE(ReadJpeg(good).wellFormed);
  EXPECT_FALSE(ReadJpeg(good.substr(0, good.size() - 2)).wellFormed);
  std::string progressive = good;
  // The baseline start of frame, FF C0, made progressive, FF C2.
  const size_t sof = progressive.find(std::string{char(0xFF), char(0xC0)});
  ASSERT_NE(sof, std::string::npos);
  progressive[sof + 1] = char(0xC2);
  EXPECT_EQ(ReadJpeg(progressive).frameMarkers, std::vector<uint32_t>{0xFFC2});
}

// ---------------------------------------------------------------- ICO ----

struct IconImage {
  uint32_t width, height, bitCount;
};

size_t RowBytes(uint32_t width, uint32_t bits) { return (width * bits + 31) / 32 * 4; }

// Checks an icon file's directory and every bitmap entry; returns the images
// in directory order, or an empty list (with a test failure) if anything is
// off.
std::vector<IconImage> CheckIcon(const std::string& file) {
  std::vector<IconImage> images;
  Bytes b{file};
  EXPECT_EQ(b.Le16(0), 0u) << "reserved";
  EXPECT_EQ(b.Le16(2), 1u) << "type icon";
  const uint32_t count = b.Le16(4);
  size_t expectedOffset = 6 + 16 * count;
  for (uint32_t i = 0; i < count; ++i) {
    SCOPED_TRACE(testing::Message() << "image " << i);
    const size_t e = 6 + 16 * i;
    const uint32_t w = b.Byte(e) ? b.Byte(e) : 256, h = b.Byte(e + 1) ? b.Byte(e + 1) : 256;
    const uint32_t colours = b.Byte(e + 2), planes = b.Le16(e + 4), bits = b.Le16(e + 6);
    const uint32_t size = b.Le32(e + 8), offset = b.Le32(e + 12);
    EXPECT_EQ(b.Byte(e + 3), 0u);
    EXPECT_EQ(planes, 1u);
    EXPECT_EQ(colours, bits == 4 ? 16u : 0u);
    EXPECT_EQ(offset, expectedOffset) << "images follow each other without gaps";
    const size_t palette = bits <= 8 ? 4u << bits : 0;
    const size_t xorBytes = RowBytes(w, bits) * h, andBytes = RowBytes(w, 1) * h;
    EXPECT_EQ(size, 40 + palette + xorBytes + andBytes);
    if (offset > file.size() || size > file.size() - offset) {
      ADD_FAILURE() << "image outside the file";
      return {};
    }
    // BITMAPINFOHEADER: double height (colour bitmap and mask), no compression.
    EXPECT_EQ(b.Le32(offset), 40u);
    EXPECT_EQ(b.Le32(offset + 4), w);
    EXPECT_EQ(b.Le32(offset + 8), 2 * h);
    EXPECT_EQ(b.Le16(offset + 12), 1u);
    EXPECT_EQ(b.Le16(offset + 14), bits);
    EXPECT_EQ(b.Le32(offset + 16), 0u);

    // Pixels: transparent where the mask says so, opaque somewhere; the
    // palette images put black under the mask, so the screen shows through.
    const size_t pixels = offset + 40 + palette, mask = pixels + xorBytes;
    size_t masked = 0, mismatches = 0;
    for (uint32_t y = 0; y < h; ++y) {
      for (uint32_t x = 0; x < w; ++x) {
        const bool transparent = b.Byte(mask + y * RowBytes(w, 1) + x / 8) >> (7 - x % 8) & 1;
        masked += transparent;
        const size_t row = pixels + y * RowBytes(w, bits);
        if (bits == 32) {
          const uint32_t alpha = b.Byte(row + 4 * x + 3);
          mismatches += transparent != (alpha < 128);
        } else if (transparent) {
          const uint32_t index =
              bits == 8 ? b.Byte(row + x) : b.Byte(row + x / 2) >> (x % 2 ? 0 : 4) & 15;
          const size_t quad = offset + 40 + 4 * index;
          mismatches += (b.Byte(quad) | b.Byte(quad + 1) | b.Byte(quad + 2)) != 0;
        }
      }
    }
    EXPECT_EQ(mismatches, 0u) << "colour bitmap and mask disagree";
    EXPECT_GT(masked, 0u) << "no transparent pixel";
    EXPECT_LT(masked, size_t{w} * h / 2) << "mostly transparent";
    expectedOffset = offset + size;
    images.push_back({w, h, bits});
  }
  EXPECT_EQ(expectedOffset, file.size()) << "nothing after the last image";
  EXPECT_FALSE(b.failed);
  return images;
}

TEST(ProductIcon, HoldsNineImagesAtThreeSizesAndThreeDepths) {
  const std::string file = ReadFile(kAssets + "/payload/zorva.ico");
  ASSERT_FALSE(file.empty());
  EXPECT_EQ(file.substr(0, 6), std::string("\0\0\1\0\x09\0", 6));
  const std::vector<IconImage> images = CheckIcon(file);
  std::set<std::pair<uint32_t, uint32_t>> seen;
  for (const IconImage& i : images) {
    EXPECT_EQ(i.width, i.height);
    EXPECT_TRUE(seen.insert({i.width, i.bitCount}).second) << i.width << " at " << i.bitCount;
  }
  const std::set<std::pair<uint32_t, uint32_t>> wanted = {
      {48, 4}, {32, 4}, {16, 4}, {48, 8}, {32, 8}, {16, 8}, {48, 32}, {32, 32}, {16, 32}};
  EXPECT_EQ(seen, wanted);
}

TEST(WindowIcon, HoldsOne48PixelImageWithAlpha) {
  const std::string file = ReadFile(kAssets + "/images/window.ico");
  ASSERT_FALSE(file.empty());
  const std::vector<IconImage> images = CheckIcon(file);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].width, 48u);
  EXPECT_EQ(images[0].height, 48u);
  EXPECT_EQ(images[0].bitCount, 32u);
  EXPECT_EQ(file.size(), 6u + 16 + 40 + 48 * 48 * 4 + 48 * 8);
}

// ---------------------------------------------------- licence agreement ----

std::string Cp936ToUtf8(const std::string& text, bool* ok) {
  *ok = false;
  iconv_t cd = iconv_open("UTF-8", "CP936");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string in = text, out(text.size() * 2 + 16, '\0');
  char* src = &in[0];
  char* dst = &out[0];
  size_t left = in.size(), room = out.size();
  const size_t rc = iconv(cd, &src, &left, &dst, &room);
  iconv_close(cd);
  *ok = rc != static_cast<size_t>(-1) && left == 0;
  out.resize(out.size() - room);
  return out;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(text.substr(start, at - start));
  lines.push_back(text.substr(start));
  return lines;
}

class Agreement : public testing::Test {
 protected:
  void SetUp() override {
    text_ = ReadFile(MORVANE_AGREEMENT_TEXT);
    ASSERT_FALSE(text_.empty());
    lines_ = SplitCrLf(text_);
  }
  std::string text_;
  std::vector<std::string> lines_;
};

TEST_F(Agreement, IsCodePage936WithCrLfLinesOfTheSource) {
  bool ok = false;
  const std::string utf8 = Cp936ToUtf8(text_, &ok);
  ASSERT_TRUE(ok) << "not valid code page 936";
  // The same text as the UTF-8 source, with CR LF between the lines.
  std::string source = ReadFile(kAssets + "/licence/agreement.txt");
  std::string expected;
  for (char c : source) {
    if (c == '\r') continue;
    if (c == '\n') expected += '\r';
    expected += c;
  }
  while (expected.size() >= 2 && expected.compare(expected.size() - 2, 2, "\r\n") == 0)
    expected.resize(expected.size() - 2);
  EXPECT_EQ(utf8, expected);

  size_t controls = 0;
  for (size_t i = 0; i < text_.size(); ++i) {
    const unsigned char c = text_[i];
    if (c == '\r')
      controls += text_.compare(i, 2, "\r\n") != 0;
    else if (c == '\n')
      controls += i == 0 || text_[i - 1] != '\r';
    else
      controls += c < 0x20 || c == 0x7F;
  }
  EXPECT_EQ(controls, 0u) << "bare CR, bare LF, tab or other control byte";
  EXPECT_GE(text_.size(), 8500u);
  EXPECT_LE(text_.size(), 9500u);
  EXPECT_GE(lines_.size(), 120u);
  EXPECT_LE(lines_.size(), 132u);
}

TEST_F(Agreement, BeginsWithTheIndentedTitleAndNamesProductAndPublisher) {
  // The title, after 26 spaces.
  EXPECT_EQ(lines_[0], std::string(26, ' ') + Gbk("软件许可协议"));
  EXPECT_NE(text_.find("Morvane"), std::string::npos);
  EXPECT_NE(text_.find("Quenrith"), std::string::npos);
}

TEST_F(Agreement, ClausesAreNumberedInOrderUpTo8_10) {
  // Clause lines start "<section>.<clause> "; sections run 1 to 8 and the
  // clauses of each from 1 without a gap.
  std::vector<std::pair<int, int>> clauses;
  for (const std::string& line : lines_) {
    int section = 0, clause = 0, used = 0;
    if (std::sscanf(line.c_str(), "%d.%d %n", &section, &clause, &used) == 2 && used > 0)
      clauses.emplace_back(section, clause);
  }
  ASSERT_FALSE(clauses.empty());
  std::pair<int, int> previous{1, 0};
  for (const auto& c : clauses) {
    const bool next = (c.first == previous.first && c.second == previous.second + 1) ||
                      (c.first == previous.first + 1 && c.second == 1);
    EXPECT_TRUE(next) << c.first << "." << c.second << " after " << previous.first << "."
                      << previous.second;
    previous = c;
  }
  EXPECT_EQ(clauses.back(), std::make_pair(8, 10));
}

}  // namespace
