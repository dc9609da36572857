// What the hyperlink box tests share: a link whose three text colours are
// told apart by their strongest channel, its record, and the colour its
// text is drawn in.
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame/template/template_records.h"
#include "tests/wine/widgets/unit_host.h"
#include "widgets/hyperlinker/hyperlinker_properties.h"

constexpr uint32_t kHyperLinkerType = 0x0001001D;
constexpr int kLinkWidth = 150;
constexpr int kLinkHeight = 24;

const COLORREF kLinkNormal = RGB(0, 0, 255);
const COLORREF kLinkVisited = RGB(255, 0, 0);
const COLORREF kLinkHover = RGB(0, 255, 0);
const COLORREF kLinkBack = RGB(255, 255, 255);

// Pure blue text, red once visited, green while hovered, on white.
HyperLinkerProperties ColouredLink();

TemplateRecord LinkRecord(uint32_t id, int left, int top, const HyperLinkerProperties& link);

// The colour the text of a rendering is drawn in, whatever the smoothing of
// its edges: the pure colour (red, green or blue) of the channel that stays
// strongest in most of the pixels that are not `background`. CLR_INVALID
// when there is no text.
COLORREF TextTone(const Rendering& rendering, COLORREF background);
