// The label (Label): a child window that paints everything it covers. From
// the outside in: the unit border (styles 0 to 5 are the system's; style 6
// is a band of its own in the border colours), then inside the band the
// picture in its mode, or a gradient, or the back colour, and over it all
// the caption, drawn as the transparent label draws it.
#include "widgets/label/label.h"

#include <utility>

#include "widgets/common/accessible.h"
#include "widgets/common/caption.h"
#include "widgets/common/unit_look.h"
#include "widgets/common/unit_window.h"
#include "widgets/image/image.h"
#include "widgets/image/image_placement.h"
#include "widgets/label/label_background.h"
#include "widgets/label/label_properties.h"

namespace {

const char kClassName[] = "MorvaneLabel";

struct Label : UnitState<LabelProperties> {
  // Static text to screen readers, named by its caption.
  static const AccessibleFacts kAccessible;
  static void Paint(HWND hwnd, Label& label, const PaintRequest& request);
  UnitFont font;
  OwnedImage picture;  // Picture decoded once; empty when it does not decode
};

LRESULT LabelProc(HWND hwnd, Label* label, UINT message, WPARAM wParam, LPARAM lParam);

void DecodePicture(Label* label) {
  label->picture.reset(
      label->properties.picture.empty() ? nullptr : DecodeImage(ViewOf(label->properties.picture)));
}

// Border 6 is the label's own band; the system draws the others.
void ApplyBorder(HWND hwnd, const LabelProperties& properties) {
  ApplyUnitBorder(hwnd, properties.border == kLabelOwnBand ? 0 : properties.border);
}

void FillWithColour(HDC hdc, HRGN region, COLORREF colour) {
  BrushOwner brush(CreateSolidBrush(colour));
  if (brush) FillRgn(hdc, region, brush.Get());
}

// The picture in `inner`, and the back colour in what it leaves of `fill`
// (the part of the paint area inside the band). Bitmaps are opaque and take
// their rectangles out of the fill; an icon's transparent parts show the
// back colour, filled before it is drawn.
void DrawPictureAndFill(HDC hdc, const PreparedImage& picture, int32_t mode, const RECT& inner,
                        const RECT& area, HRGN fill, COLORREF back) {
  const bool opaque = picture.bitmap != nullptr;
  const int width = picture.width, height = picture.height;
  const int saved = SaveDC(hdc);
  IntersectClipRect(hdc, inner.left, inner.top, inner.right, inner.bottom);
  if (mode == kPictureTiled && width > 0 && height > 0) {
    if (!opaque) FillWithColour(hdc, fill, back);
    // Only the tiles that meet the paint area, counted from the inner
    // rectangle's corner.
    const int firstX = inner.left + (area.left - inner.left) / width * width;
    const int firstY = inner.top + (area.top - inner.top) / height * height;
    for (int y = firstY; y < area.bottom; y += height)
      for (int x = firstX; x < area.right; x += width) BlitImage(hdc, picture, x, y, width, height);
  } else {
    ImagePlacement at{0, 0, width, height};
    if (mode == kPictureFitted)
      at = PlaceImage(kDisplayFit, inner.right - inner.left, inner.bottom - inner.top, width,
                      height);
    const RECT placed{inner.left + at.x, inner.top + at.y, inner.left + at.x + at.width,
                      inner.top + at.y + at.height};
    if (opaque) {
      RegionOwner covered(CreateRectRgnIndirect(&placed));
      if (covered) CombineRgn(fill, fill, covered.Get(), RGN_DIFF);
    }
    FillWithColour(hdc, fill, back);
    if (at.width > 0 && at.height > 0)
      BlitImage(hdc, picture, placed.left, placed.top, at.width, at.height);
  }
  RestoreDC(hdc, saved);
}

// Painting of the part asked for.
void Label::Paint(HWND hwnd, Label& label, const PaintRequest& request) {
  const RECT& clip = request.area;
  HDC hdc = request.dc;
  if (IsRectEmpty(&clip)) return;
  const LabelProperties& properties = label.properties;
  RECT client;
  GetClientRect(hwnd, &client);
  RECT inner = client;
  const ShadeStops band =
      StopsOf(properties.borderColor1, properties.borderColor2, properties.borderColor3);
  if (properties.border == kLabelOwnBand && properties.borderWidth > 0 && band.count >= 2)
    inner = DrawLabelBand(hdc, client, properties.borderWidth, band);
  const COLORREF back = ColourOrDefault(properties.backColor);
  RECT area;
  if (IntersectRect(&area, &clip, &inner)) {
    RegionOwner fill(CreateRectRgnIndirect(&area));
    PreparedImage picture;
    GradientPlan gradient;
    if (label.picture && PrepareImage(*label.picture, hdc, back, &picture)) {
      DrawPictureAndFill(hdc, picture, properties.pictureMode, inner, area, fill.Get(), back);
      ReleasePreparedImage(&picture);
    } else if (!label.picture &&
               PlanGradient(properties.gradient,
                            StopsOf(properties.gradientColor1, properties.gradientColor2,
                                    properties.gradientColor3),
                            &gradient) &&
               DrawLabelGradient(hdc, inner, gradient)) {
      // The gradient covers the whole inner rectangle.
    } else if (fill) {
      FillWithColour(hdc, fill.Get(), back);
    }
  }
  // A band that fills the whole label leaves the caption no place.
  if (IsRectEmpty(&inner)) return;
  DrawCaption(hdc, inner, WindowText(hwnd), CaptionLookOf(properties, label.font.Get()));
}

// The unit operations.

HWND CreateLabel(const UnitCreateArgs& args) {
  std::unique_ptr<Label> state = NewUnitState<Label>(kLabelDescription, args);
  if (!state) return nullptr;
  LabelProperties& properties = state->properties;
  state->font.Set(properties.font);
  DecodePicture(state.get());
  UnitWindowClass labelClass;
  labelClass.name = kClassName;
  UnitWindowStyle style;
  style.text = properties.caption.c_str();
  HWND hwnd = CreateUnitWindow<Label, LabelProc>(labelClass, args, style, std::move(state));
  if (hwnd) ApplyBorder(hwnd, properties);
  return hwnd;
}

bool PropertyChanged(HWND hwnd, int unitIndex, const Value&) {
  Label* label = UnitStateOf<Label>(hwnd);
  switch (unitIndex) {
    case kLabelCaption:
      SetWindowTextTo(hwnd, label->properties.caption);
      break;
    case kLabelBorder:
      ApplyBorder(hwnd, label->properties);
      break;
    case kLabelFont:
      label->font.Set(label->properties.font);
      break;
    case kLabelPicture:
      DecodePicture(label);
      break;
  }
  InvalidateRect(hwnd, nullptr, FALSE);
  return false;
}

// The label paints all it covers, erasing nothing first.
LRESULT LabelProc(HWND hwnd, Label*, UINT message, WPARAM wParam, LPARAM lParam) {
  return message == WM_ERASEBKGND ? 1 : DefWindowProcW(hwnd, message, wParam, lParam);
}

constexpr UnitOperations MakeLabelOperations() {
  UnitOperations operations =
      UnitClassOperations<Label>(kLabelDescription, CreateLabel, PropertyChanged);
  operations.forwardsPresses = true;
  return operations;
}

const AccessibleFacts Label::kAccessible = kStaticTextFacts;

}  // namespace

const UnitOperations kLabelUnit = MakeLabelOperations();
