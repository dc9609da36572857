// What a label draws behind its caption besides its picture and its fill:
// the style-6 border band and the gradient patterns (see label_shading.h).
#pragma once

#include <windows.h>

#include "widgets/label/label_shading.h"

// Draws the band of `width` one-pixel rings inside `client`, shaded through
// `stops`; rings that would not fit are left out. Answers the rectangle
// inside the band (empty when the band fills the client area).
RECT DrawLabelBand(HDC hdc, const RECT& client, int32_t width, const ShadeStops& stops);

// Fills `rect` with the gradient of `plan`. False when GDI refuses it.
bool DrawLabelGradient(HDC hdc, const RECT& rect, const GradientPlan& plan);
