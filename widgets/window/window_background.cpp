// The window's background: BackPicture in one of its four modes (top-left
// at natural size, tiled, fitted and centred, stretched) and BackColor over
// whatever the picture leaves. The window paints nothing else; its units
// paint themselves.
#include "widgets/common/unit_look.h"
#include "widgets/image/image_placement.h"
#include "widgets/window/window_state.h"

namespace {

enum BackPictureMode : int32_t {
  kBackTopLeft = 0,
  kBackTiled = 1,
  kBackFitted = 2,
  kBackStretched = 3,
};

// The decoded background picture, or nullptr when there is none or it does
// not decode.
const DecodedImage* BackPicture(WindowUnit* window) {
  if (!window->backPictureTried) {
    window->backPictureTried = true;
    if (!window->properties.backPicture.empty())
      window->backPicture.reset(DecodeImage(ViewOf(window->properties.backPicture)));
  }
  return window->backPicture.get();
}

void Subtract(HRGN region, int x, int y, int width, int height) {
  RegionOwner picture(CreateRectRgn(x, y, x + width, y + height));
  CombineRgn(region, region, picture.Get(), RGN_DIFF);
}

// Draws the prepared picture over `area` by the window's mode and takes what
// it covers out of `rest`. An icon has see-through parts: it takes nothing,
// so that the colour goes under it.
void DrawBackPicture(const WindowUnit& window, HDC hdc, const RECT& area, const RECT& client,
                     const PreparedImage& picture, HRGN rest) {
  const bool opaque = picture.bitmap != nullptr;
  const int w = picture.width, h = picture.height;
  switch (window.properties.backPictureMode) {
    case kBackTopLeft:
      BlitImage(hdc, picture, 0, 0, w, h);
      if (opaque) Subtract(rest, 0, 0, w, h);
      return;
    case kBackTiled: {
      if (w <= 0 || h <= 0) return;
      // Only the tiles that meet the area; the first row and column of them
      // start on the grid that begins at the client area's corner.
      const int left = area.left > 0 ? area.left / w * w : 0;
      const int top = area.top > 0 ? area.top / h * h : 0;
      for (int y = top; y < area.bottom; y += h)
        for (int x = left; x < area.right; x += w) BlitImage(hdc, picture, x, y, w, h);
      if (opaque) SetRectRgn(rest, 0, 0, 0, 0);
      return;
    }
    case kBackFitted: {
      const ImagePlacement at = PlaceImage(kDisplayFit, client.right, client.bottom, w, h);
      if (at.width <= 0 || at.height <= 0) return;
      BlitImage(hdc, picture, at.x, at.y, at.width, at.height);
      if (opaque) Subtract(rest, at.x, at.y, at.width, at.height);
      return;
    }
    case kBackStretched:
      if (client.right <= 0 || client.bottom <= 0) return;
      BlitImage(hdc, picture, 0, 0, client.right, client.bottom);
      if (opaque) SetRectRgn(rest, 0, 0, 0, 0);
      return;
  }
}

}  // namespace

void WindowUnit::Paint(HWND hwnd, WindowUnit& state, const PaintRequest& request) {
  WindowUnit* window = &state;
  HDC hdc = request.dc;
  const RECT& area = request.area;
  if (IsRectEmpty(&area)) return;
  RECT client{};
  GetClientRect(hwnd, &client);
  const COLORREF colour = ColourOrDefault(window->properties.backColor);
  RegionOwner rest(CreateRectRgnIndirect(&area));
  PreparedImage picture;
  const DecodedImage* decoded = BackPicture(window);
  const bool hasPicture = decoded && PrepareImage(*decoded, hdc, colour, &picture);
  // The colour first: an icon's see-through parts lie over it.
  if (hasPicture && picture.icon) {
    BrushOwner brush(CreateSolidBrush(colour));
    FillRgn(hdc, rest.Get(), brush.Get());
  }
  if (hasPicture) DrawBackPicture(*window, hdc, area, client, picture, rest.Get());
  if (!hasPicture || !picture.icon) {
    BrushOwner brush(CreateSolidBrush(colour));
    FillRgn(hdc, rest.Get(), brush.Get());
  }
  if (hasPicture) ReleasePreparedImage(&picture);
}
