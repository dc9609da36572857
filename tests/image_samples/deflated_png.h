// PNG as an encoder writes it: the image data deflated, by libpng's
// simplified writer. For the host tree's fuzz seeds and benchmark only: the
// Windows tree's libpng reads and cannot write (image_samples.h stores its
// PNG data uncompressed instead).
#pragma once

#include <cstdint>
#include <vector>

#include "image_samples.h"

// A PNG of `width` x `height` from red, green, blue, alpha bytes (rows top
// down); empty when libpng refuses to write it.
SampleBytes DeflatedPngFromRgba(int width, int height, const std::vector<uint8_t>& rgba);
