// What the image tests share: views of sample bytes, an owner for decoded
// records, and pixel access by top-down coordinates.
#pragma once

#include <cstdint>
#include <string>

#include "image_samples.h"
#include "widgets/image/decoded_image.h"

inline ByteBlock View(const SampleBytes& bytes) {
  return ByteBlock{bytes.data(), uint32_t(bytes.size())};
}

// A decoded record that frees its pixels.
struct Decoded {
  DecodedImage image;
  Decoded() = default;
  Decoded(const Decoded&) = delete;
  Decoded& operator=(const Decoded&) = delete;
  ~Decoded() { ReleasePixels(image.pixels); }
};

// Blue, green, red of kind 1 and 2 records (rows bottom-up), by top-down y.
inline std::string BgrAt(const DecodedImage& image, int x, int y) {
  const uint8_t* p = image.pixels + (size_t(image.height - 1 - y) * image.width + x) * 3;
  return std::string(reinterpret_cast<const char*>(p), 3);
}

inline std::string BgrOf(const uint8_t* rgb) {
  const char bgr[3] = {char(rgb[2]), char(rgb[1]), char(rgb[0])};
  return std::string(bgr, 3);
}
