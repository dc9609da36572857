#include "tests/wine/widgets/hyperlinker_samples.h"

HyperLinkerProperties ColouredLink() {
  HyperLinkerProperties link;
  link.textColor = kLinkNormal;
  link.visitedColor = kLinkVisited;
  link.hoverColor = kLinkHover;
  link.backColor = kLinkBack;
  return link;
}

TemplateRecord LinkRecord(uint32_t id, int left, int top, const HyperLinkerProperties& link) {
  Bytes block;
  WriteProperties(link, &block);
  return UnitRecord(id, kHyperLinkerType, left, top, kLinkWidth, kLinkHeight, kUnitVisible, block);
}

COLORREF TextTone(const Rendering& rendering, COLORREF background) {
  int counts[3] = {0, 0, 0};
  for (int y = 0; y < rendering.Height(); ++y)
    for (int x = 0; x < rendering.Width(); ++x) {
      const COLORREF pixel = rendering.At(x, y);
      if (pixel == background) continue;
      const int channels[3] = {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
      for (int c = 0; c < 3; ++c)
        if (channels[c] > channels[(c + 1) % 3] && channels[c] > channels[(c + 2) % 3]) ++counts[c];
    }
  const COLORREF tones[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
  int best = -1;
  for (int c = 0; c < 3; ++c)
    if (counts[c] > 0 && (best < 0 || counts[c] > counts[best])) best = c;
  return best < 0 ? CLR_INVALID : tones[best];
}
