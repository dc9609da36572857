#include "widgets/common/caption.h"

#include "services/wide_text.h"
#include "widgets/common/gdi_owners.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Where the effect puts its copy and the main text, relative to the
// caption's rectangle.
struct EffectPlan {
  bool hasCopy = false;
  COLORREF copyColour = 0;
  int copyOffset = 0;
  int mainOffset = 0;
};

EffectPlan PlanOf(int32_t effect) {
  EffectPlan plan;
  switch (effect) {
    case 1:
      plan = EffectPlan{true, kWhite, 1, 0};
      break;
    case 2:
      plan = EffectPlan{true, kWhite, 0, 1};
      break;
    case 3:
      plan = EffectPlan{true, kBlack, 2, 0};
      break;
  }
  return plan;
}

void DrawAt(HDC hdc, const RECT& rect, int offset, const WideText& text, UINT format) {
  RECT at = rect;
  OffsetRect(&at, offset, offset);
  DrawTextW(hdc, text.c_str(), text.Length(), &at, format);
}

}  // namespace

UINT CaptionFormat(const CaptionLook& look) {
  UINT format = DT_NOCLIP | (look.hAlign == 1 ? DT_CENTER : look.hAlign == 2 ? DT_RIGHT : DT_LEFT);
  if (look.wordWrap) return format | DT_WORDBREAK | DT_VCENTER;
  format |= DT_SINGLELINE;
  switch (look.vAlign) {
    case 1:
      format |= DT_VCENTER;
      break;
    case 2:
      format |= DT_BOTTOM;
      break;
  }
  return format;
}

void DrawCaption(HDC hdc, const RECT& rect, const Text& text, const CaptionLook& look) {
  if (text.empty()) return;
  const WideText wide(text);
  const UINT format = CaptionFormat(look);
  const EffectPlan plan = PlanOf(look.effect);
  Selected font(hdc, look.font ? look.font : HFONT(GetStockObject(DEFAULT_GUI_FONT)));
  const int oldMode = SetBkMode(hdc, TRANSPARENT);
  const COLORREF oldColour = GetTextColor(hdc);
  if (plan.hasCopy) {
    SetTextColor(hdc, plan.copyColour);
    DrawAt(hdc, rect, plan.copyOffset, wide, format);
  }
  SetTextColor(hdc, look.textColour);
  DrawAt(hdc, rect, plan.mainOffset, wide, format);
  SetTextColor(hdc, oldColour);
  SetBkMode(hdc, oldMode);
}
