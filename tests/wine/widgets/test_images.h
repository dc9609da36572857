// Small image files made in memory for the widget tests: their pixels are
// known exactly, so that what a unit draws can be checked pixel by pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

using ImageBytes = std::vector<uint8_t>;

// A 24-bit BMP of `width` x `height` whose pixel (x, y) (from the top) is
// `colour(x, y)`, a COLORREF.
ImageBytes MakeBmp(int width, int height, COLORREF (*colour)(int x, int y));
// A BMP of one colour.
ImageBytes MakeSolidBmp(int width, int height, COLORREF colour);

// An icon file of one 32-bit entry `side` x `side` (its colour count 0, as
// true-colour entries have), every pixel opaque `colour`.
ImageBytes MakeTrueColourIcon(int side, COLORREF colour);

// A GIF89a of `width` x `height` with one full-size frame per colour, each
// shown `delayHundredths` hundredths of a second, no transparency.
ImageBytes MakeGif(int width, int height, const std::vector<COLORREF>& frames, int delayHundredths);
