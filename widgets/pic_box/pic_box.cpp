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

#include "widgets/common/reflection.h"
#include "widgets/common/unit_look.h"
#include "widgets/image/image.h"
#include "widgets/image/image_placement.h"
#include "widgets/pic_box/gif_player.h"
#include "widgets/pic_box/pic_box_properties.h"

const char kPicBoxClassName[] = "MorvanePicBox";

namespace {

struct PicBox {
  PicBoxProperties properties;
  UnitIdentity identity;
  BrushOwner backBrush;
  OwnedImage picture;  // empty while the animation shows the picture
  GifPlayer player;
};

// Hands the state to the window procedure, which owns it from WM_NCCREATE
// on; a window that fails before that leaves it to the creator.
struct Handoff {
  PicBox* state = nullptr;
  bool taken = false;
};

PicBox* StateOf(HWND hwnd) {
  return reinterpret_cast<PicBox*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

COLORREF BackColour(const PicBox& box) { return ColourOrDefault(box.properties.backColor); }

void MakeBackBrush(PicBox* box) { box->backBrush.Reset(CreateSolidBrush(BackColour(*box))); }

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

// WM_PAINT and WM_PRINTCLIENT: the background over the whole client area,
// then the picture (or the animation's current frame) where its display mode
// puts it.
void PaintPicBox(PicBox* box, HWND hwnd, HDC hdc) {
  RECT client{};
  GetClientRect(hwnd, &client);
  {
    Selected brush(hdc, box->backBrush.Get());
    PatBlt(hdc, 0, 0, client.right, client.bottom, PATCOPY);
  }
  if (box->player.Loaded()) {
    box->player.Paint(hdc, client.right, client.bottom);
    return;
  }
  const DecodedImage* picture = box->picture.get();
  if (!picture) return;
  const ImagePlacement at = PlaceImage(box->properties.displayMode, client.right, client.bottom,
                                       picture->width, picture->height);
  if (at.width > 0 && at.height > 0)
    DrawImage(picture, hdc, at.x, at.y, at.width, at.height, BackColour(*box));
}

// WM_PAINT: painting also starts the animation of a newly set GIF.
void OnPaint(PicBox* box, HWND hwnd) {
  PAINTSTRUCT paint;
  HDC hdc = BeginPaint(hwnd, &paint);
  if (hdc) PaintPicBox(box, hwnd, hdc);
  EndPaint(hwnd, &paint);
  box->player.Start(hwnd);
}

bool RegisterPicBoxClass();

HWND CreatePicBox(const UnitCreateArgs& args) {
  if (!RegisterPicBoxClass()) return nullptr;
  PicBox* box = new PicBox;
  if (!ReadProperties(args.properties, &box->properties)) {
    delete box;
    return nullptr;
  }
  ClampPicBoxProperties(&box->properties);
  box->identity = args.identity;
  Handoff handoff{box};
  // A container for the dialog navigation of Tab: the units inside it are
  // in the window's tab order.
  HWND hwnd = CreateWindowExA(
      WS_EX_CONTROLPARENT, kPicBoxClassName, "", WS_CHILD | WS_CLIPSIBLINGS | args.style, args.left,
      args.top, args.width, args.height, args.parent,
      reinterpret_cast<HMENU>(intptr_t(args.controlId)), GetModuleHandleA(nullptr), &handoff);
  if (!hwnd) {
    if (!handoff.taken) delete box;
    return nullptr;
  }
  MakeBackBrush(box);
  TakePicture(box, nullptr);
  ApplyUnitBorder(hwnd, box->properties.border);
  return hwnd;
}

void* Properties(HWND hwnd) { return &StateOf(hwnd)->properties; }

bool PropertyChanged(HWND hwnd, int unitIndex, const Value&) {
  PicBox* box = StateOf(hwnd);
  if (!box) return false;
  switch (unitIndex) {
    case kPicBoxBorder:
      ApplyUnitBorder(hwnd, box->properties.border);
      break;
    case kPicBoxBackColor:
      MakeBackBrush(box);
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

LRESULT CALLBACK PicBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  PicBox* box = StateOf(hwnd);
  // A control's notification goes back to the control first.
  LRESULT reflected = 0;
  if (ReflectToControl(hwnd, message, wParam, lParam, &reflected)) return reflected;
  switch (message) {
    case WM_NCCREATE: {
      auto* handoff =
          static_cast<Handoff*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      handoff->taken = true;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(handoff->state));
      return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    case WM_PAINT:
      if (!box) return DefWindowProcA(hwnd, message, wParam, lParam);
      OnPaint(box, hwnd);
      return 0;
    case WM_PRINTCLIENT:
      if (box) PaintPicBox(box, hwnd, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_DESTROY:
      // The worker draws into this window: it ends before the window does.
      if (box) box->player.Stop();
      return 0;
    case WM_NCDESTROY:
      delete box;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterPicBoxClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(GetModuleHandleA(nullptr), kPicBoxClassName, &existing)) return true;
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = PicBoxProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kPicBoxClassName;
  return RegisterClassA(&windowClass) != 0;
}

constexpr UnitOperations MakePicBoxOperations() {
  UnitOperations operations;
  operations.description = &kPicBoxDescription;
  operations.create = CreatePicBox;
  operations.properties = Properties;
  operations.propertyChanged = PropertyChanged;
  operations.isContainer = true;
  operations.forwardsPresses = true;
  return operations;
}

}  // namespace

const UnitOperations kPicBoxUnit = MakePicBoxOperations();
