// The picture box (PicBox): a child window filled with its BackColor that
// shows its Picture at its natural size in the top-left corner, stretched to
// the client area, or fitted and centred (never enlarged). A GIF with
// PlayAnimation plays on a worker thread (gif_player.h); any other picture,
// and a GIF without animation (its first image), is decoded once and drawn
// at each paint. PNG transparency is blended against BackColor.
//
// A picture box holds other units: it sends its controls' notification,
// owner-draw, scroll and colour messages back to them (reflection.h), and a
// press on it moves a window that drags anywhere.
#include "widgets/pic_box/pic_box.h"

#include <utility>

#include "widgets/common/accessible.h"
#include "widgets/common/reflection.h"
#include "widgets/common/unit_look.h"
#include "widgets/common/unit_window.h"
#include "widgets/image/image.h"
#include "widgets/image/image_placement.h"
#include "widgets/pic_box/gif_player.h"
#include "widgets/pic_box/pic_box_properties.h"

const char kPicBoxClassName[] = "MorvanePicBox";

namespace {

struct PicBox : UnitState<PicBoxProperties> {
  // A graphic to screen readers, which holds the units inside it; named only
  // by the program.
  static const AccessibleFacts kAccessible;
  static void Paint(HWND hwnd, PicBox& box, const PaintRequest& request);
  BrushOwner backBrush;
  OwnedImage picture;  // empty while the animation shows the picture
  GifPlayer player;
};

LRESULT PicBoxProc(HWND hwnd, PicBox* box, UINT message, WPARAM wParam, LPARAM lParam);

COLORREF BackColour(const PicBox& box) { return ColourOrDefault(box.properties.backColor); }

// Replaces what the box shows by its Picture property: the animation stops
// and the old picture goes first.
void TakePicture(PicBox* box, HWND hwnd) {
  box->player.Unload();
  box->picture.reset();
  const ByteBlock file = ViewOf(box->properties.picture);
  if (file.size > 0) {
    const bool animate = box->properties.playAnimation && DetectImageKind(file) == kImageGif &&
                         box->player.Load(file, BackColour(*box));
    if (!animate) box->picture.reset(DecodeImage(file));
    box->player.SetDisplayMode(box->properties.displayMode);
  }
  // Whether or not the bytes decoded: an undecodable picture shows the
  // background alone.
  if (hwnd) InvalidateRect(hwnd, nullptr, FALSE);
}

// Painting: the background over the whole client area, then the picture
// (or the animation's current frame) where its display mode puts it. On the
// screen, painting also starts the animation of a newly set GIF.
void PicBox::Paint(HWND hwnd, PicBox& box, const PaintRequest& request) {
  HDC hdc = request.dc;
  RECT client{};
  GetClientRect(hwnd, &client);
  {
    Selected brush(hdc, box.backBrush.Get());
    PatBlt(hdc, 0, 0, client.right, client.bottom, PATCOPY);
  }
  if (box.player.Loaded()) {
    box.player.Paint(hdc, client.right, client.bottom);
    if (request.onScreen) box.player.Start(hwnd);
    return;
  }
  const DecodedImage* picture = box.picture.get();
  if (!picture) return;
  const ImagePlacement at = PlaceImage(box.properties.displayMode, client.right, client.bottom,
                                       picture->width, picture->height);
  if (at.width > 0 && at.height > 0)
    DrawImage(picture, hdc, at.x, at.y, at.width, at.height, BackColour(box));
}

HWND CreatePicBox(const UnitCreateArgs& args) {
  std::unique_ptr<PicBox> state = NewUnitState<PicBox>(kPicBoxDescription, args);
  if (!state) return nullptr;
  UnitWindowClass boxClass;
  boxClass.name = kPicBoxClassName;
  UnitWindowStyle style;
  // A container for the dialog navigation of Tab: the units inside it are
  // in the window's tab order.
  style.exStyle = WS_EX_CONTROLPARENT;
  PicBox* box = state.get();
  HWND hwnd = CreateUnitWindow<PicBox, PicBoxProc>(boxClass, args, style, std::move(state));
  if (!hwnd) return nullptr;
  MakeBackBrush(&box->backBrush, box->properties.backColor);
  TakePicture(box, nullptr);
  ApplyUnitBorder(hwnd, box->properties.border);
  return hwnd;
}

bool PropertyChanged(HWND hwnd, int unitIndex, const Value&) {
  PicBox* box = UnitStateOf<PicBox>(hwnd);
  if (!box) return false;
  switch (unitIndex) {
    case kPicBoxBorder:
      ApplyUnitBorder(hwnd, box->properties.border);
      break;
    case kPicBoxBackColor:
      MakeBackBrush(&box->backBrush, box->properties.backColor);
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    case kPicBoxPicture:
      TakePicture(box, hwnd);
      break;
    case kPicBoxDisplayMode:
      box->player.SetDisplayMode(box->properties.displayMode);
      InvalidateRect(hwnd, nullptr, FALSE);
      UpdateWindow(hwnd);
      break;
    case kPicBoxPlayAnimation:
      // A GIF is loaded again, as an animation or as its first image.
      if (DetectImageKind(ViewOf(box->properties.picture)) == kImageGif) TakePicture(box, hwnd);
      break;
  }
  return false;
}

LRESULT PicBoxProc(HWND hwnd, PicBox* box, UINT message, WPARAM wParam, LPARAM lParam) {
  // A control's notification goes back to the control first.
  LRESULT reflected = 0;
  if (ReflectToControl(hwnd, message, wParam, lParam, &reflected)) return reflected;
  if (message != WM_DESTROY) return DefWindowProcW(hwnd, message, wParam, lParam);
  // The worker draws into this window: it ends before the window does.
  box->player.Stop();
  return 0;
}

constexpr UnitOperations MakePicBoxOperations() {
  UnitOperations operations =
      UnitClassOperations<PicBox>(kPicBoxDescription, CreatePicBox, PropertyChanged);
  operations.isContainer = true;
  operations.forwardsPresses = true;
  return operations;
}

const AccessibleFacts PicBox::kAccessible = {ROLE_SYSTEM_GRAPHIC};

}  // namespace

const UnitOperations kPicBoxUnit = MakePicBoxOperations();
