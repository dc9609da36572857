// The cut-out shape of a graphic button: the region of a bitmap without its
// pixels of one colour.
#pragma once

#include <windows.h>

// The region (in the bitmap's pixel coordinates) of every pixel of `bitmap`
// whose colour is not `key`, where `key` is first mapped to the nearest
// colour the bitmap can hold. nullptr when no pixel is left or GDI refuses
// a step; the caller owns the region.
HRGN RegionWithoutColour(HBITMAP bitmap, COLORREF key);
