// The caption of the two labels (the transparent label and the label): its
// text drawn over whatever is already there, with the label's alignment,
// word wrap and effect, in the label's font and text colour. Ampersands are
// mnemonic prefixes: "&&" shows one ampersand.
#pragma once

#include <windows.h>

#include <cstdint>

#include "services/values.h"

struct CaptionLook {
  HFONT font = nullptr;  // nullptr: DEFAULT_GUI_FONT
  COLORREF textColour = 0;
  int32_t effect = 0;  // 0 none, 1 white below-right, 2 white above-left, 3 black shadow
  int32_t hAlign = 0;  // 0 left, 1 centre, 2 right
  int32_t vAlign = 1;  // 0 top, 1 middle, 2 bottom; single line only
  bool wordWrap = false;
};

// The look of a label's caption: the text colour, effect, alignments and
// word wrap of its property record (both labels' records have them), in
// `font`.
template <typename Properties>
CaptionLook CaptionLookOf(const Properties& properties, HFONT font) {
  CaptionLook look;
  look.font = font;
  look.textColour = COLORREF(properties.textColor);
  look.effect = properties.effect;
  look.hAlign = properties.hAlign;
  look.vAlign = properties.vAlign;
  look.wordWrap = properties.wordWrap;
  return look;
}

// The DrawText format of a caption: DT_NOCLIP and the alignment; with word
// wrap DT_WORDBREAK (and DT_VCENTER, which without DT_SINGLELINE leaves the
// text at the top); otherwise DT_SINGLELINE and DT_VCENTER or DT_BOTTOM for
// the vertical alignment. The labels' tables keep the choices in their
// ranges.
UINT CaptionFormat(const CaptionLook& look);

// Draws `text` in `rect` of `hdc`: first the effect's copy, then the text in
// the text colour. An empty text draws nothing. The font, text colour and
// background mode of `hdc` are put back.
void DrawCaption(HDC hdc, const RECT& rect, const Text& text, const CaptionLook& look);
