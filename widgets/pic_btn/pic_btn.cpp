// The graphic button (PicBtn): a child window drawn entirely from one
// picture per visual state (normal, hover, pressed, disabled). A push button
// raises its click (event 0) when a press begun on it ends with the left
// button released over it; a toggle button flips its checked state on each
// click. One colour of the shown picture may be cut out of the window's
// shape. From the keyboard, a button with a tab stop takes the focus and
// shows a focus cue over its picture; Space, Enter, and Enter as the window's
// default button (a push button answers that it is one) press it, and so
// does a screen reader's default action.
#include "widgets/pic_btn/pic_btn.h"

#include <windowsx.h>

#include <utility>

#include "texts/accessible.h"
#include "widgets/common/accessible.h"
#include "widgets/common/gdi_owners.h"
#include "widgets/common/keyboard_access.h"
#include "widgets/common/unit_look.h"
#include "widgets/common/unit_window.h"
#include "widgets/pic_btn/bitmap_region.h"
#include "widgets/pic_btn/state_bitmap.h"

namespace {

const char kClassName[] = "MorvanePicBtn";

enum VisualState { kNormal = 0, kHover = 1, kPressed = 2 };

// The button's pictures, one per state, in the order of the properties.
enum StatePicture { kNormalPicture, kHoverPicture, kPressedPicture, kDisabledPicture };
constexpr int kStatePictureCount = 4;

// A state's picture made into its bitmap when it is first shown, not when the
// button is created: a window's start waits only for the pictures it shows
// (the normal ones, mostly), not for those of hover, press or the disabled
// state. A picture that cannot be made is not tried again until it changes.
struct StateBitmap {
  BitmapOwner bitmap;
  bool made = false;
};

struct PicBtn : UnitState<PicBtnProperties> {
  // A push button to screen readers, pressed as Enter presses it; named by
  // the program, for the words are in the pictures.
  static const AccessibleFacts kAccessible;
  static void Paint(HWND hwnd, PicBtn& button, const PaintRequest& request);
  // The colour PNG transparency is blended against: the owning window's
  // background, fixed at creation.
  COLORREF blend = 0;
  StateBitmap pictures[kStatePictureCount];
  int visualState = kNormal;
  bool checked = false;  // toggle buttons only
  // The left button went down on the button, and has not come up since: only
  // a release that ends such a press is a click, not one that ends a press
  // begun elsewhere and dragged onto the button.
  bool pressBegunHere = false;
  // Space went down while the button had the focus; its release clicks.
  bool spaceHeld = false;
  // The cut-out colour the window's shape was last made with, to tell a
  // real change of TransparentColor from a write of the same value.
  uint32_t appliedKey = kTransparentColour;
  // The window has a region of its own. Once handed to SetWindowRgn, the
  // region belongs to the system, which deletes it with the window or when
  // it is replaced; the button keeps no handle to it.
  bool hasRegion = false;
};

LRESULT PicBtnProc(HWND hwnd, PicBtn* button, UINT message, WPARAM wParam, LPARAM lParam);

PicBtn* StateOf(HWND hwnd) { return UnitStateOf<PicBtn>(hwnd); }

bool IsToggle(const PicBtn* button) { return button->properties.buttonKind == 1; }

// The background colour of the window the button belongs to, asked of the
// frame by the window's identifier (the window is created before its
// units), even when the button sits on another unit. A window that is not
// found, or whose class has no BackColor, gives the face colour.
COLORREF OwningWindowColour(uint32_t windowId) {
  Value colour;
  if (!ReadLoadedWindowProperty(windowId, "BackColor", &colour)) return GetSysColor(COLOR_BTNFACE);
  return ColourOrDefault(uint32_t(ConvertValue(colour, ValueType::Integer).integer));
}

const Bytes& PictureBytes(const PicBtnProperties& properties, int which) {
  switch (which) {
    case kHoverPicture:
      return properties.hoverPicture;
    case kPressedPicture:
      return properties.pressedPicture;
    case kDisabledPicture:
      return properties.disabledPicture;
    default:
      return properties.normalPicture;
  }
}

// One device context of the window for a scope.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), hdc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (hdc_) ReleaseDC(hwnd_, hdc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return hdc_; }

 private:
  HWND hwnd_;
  HDC hdc_;
};

// The bitmap of picture `which`, made on its first use; nullptr when the
// button has no such picture or it cannot be made.
HBITMAP StatePictureBitmap(HWND hwnd, PicBtn* button, int which) {
  StateBitmap& state = button->pictures[which];
  if (!state.made) {
    state.made = true;
    const Bytes& picture = PictureBytes(button->properties, which);
    if (!picture.empty()) {
      WindowDc hdc(hwnd);
      state.bitmap.Reset(hdc.Get() ? StateBitmapFromPicture(picture, hdc.Get(), button->blend)
                                   : nullptr);
    }
  }
  return state.bitmap.Get();
}

// A picture property was written: its bitmap is made again when next shown.
void ForgetStatePicture(PicBtn* button, int which) {
  button->pictures[which].bitmap.Reset(nullptr);
  button->pictures[which].made = false;
}

// The bitmap shown in the present state: the disabled picture while the
// window is disabled (when there is one), else the state's own picture,
// else the normal one (which may be missing too).
HBITMAP ShownBitmap(HWND hwnd, PicBtn* button) {
  if (!IsWindowEnabled(hwnd))
    if (HBITMAP disabled = StatePictureBitmap(hwnd, button, kDisabledPicture)) return disabled;
  const int state = button->visualState == kHover     ? kHoverPicture
                    : button->visualState == kPressed ? kPressedPicture
                                                      : kNormalPicture;
  if (state != kNormalPicture)
    if (HBITMAP own = StatePictureBitmap(hwnd, button, state)) return own;
  return StatePictureBitmap(hwnd, button, kNormalPicture);
}

// The window's shape from the shown picture and the cut-out colour, or the
// plain rectangle; then everything is drawn again.
void RebuildRegion(HWND hwnd, PicBtn* button) {
  button->appliedKey = button->properties.transparentColor;
  HRGN region = nullptr;
  HBITMAP shown = ShownBitmap(hwnd, button);
  if (!IsNoColour(button->properties.transparentColor) && shown)
    region = RegionWithoutColour(shown, COLORREF(button->properties.transparentColor));
  if (region) {
    if (SetWindowRgn(hwnd, region, TRUE))
      button->hasRegion = true;
    else
      DeleteObject(region);
  } else if (button->hasRegion) {
    SetWindowRgn(hwnd, nullptr, TRUE);
    button->hasRegion = false;
  }
  InvalidateRect(hwnd, nullptr, TRUE);
}

void Repaint(HWND hwnd, PicBtn* button) {
  RebuildRegion(hwnd, button);
  UpdateWindow(hwnd);
}

void SetVisualState(HWND hwnd, PicBtn* button, int state) {
  if (button->visualState == state) return;
  button->visualState = state;
  Repaint(hwnd, button);
}

void ReleaseCaptureOf(HWND hwnd) {
  if (GetCapture() == hwnd) ReleaseCapture();
}

// Painting: the shown bitmap at its own size at the top left of a black
// buffer the size of the client area, then the buffer at once, so that
// nothing flickers.
void PicBtn::Paint(HWND hwnd, PicBtn& state, const PaintRequest& request) {
  PicBtn* button = &state;
  HDC hdc = request.dc;
  RECT client;
  GetClientRect(hwnd, &client);
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return;
  BitmapOwner bufferBitmap(CreateCompatibleBitmap(hdc, width, height));
  MemoryDc buffer(hdc);
  if (!bufferBitmap || !buffer.Get()) return;
  buffer.Select(bufferBitmap.Get());
  PatBlt(buffer.Get(), 0, 0, width, height, BLACKNESS);
  if (HBITMAP shown = ShownBitmap(hwnd, button)) {
    BITMAP size{};
    MemoryDc picture(hdc);
    if (GetObjectW(shown, sizeof size, &size) && picture.Get()) {
      picture.Select(shown);
      BitBlt(buffer.Get(), 0, 0, size.bmWidth, size.bmHeight, picture.Get(), 0, 0, SRCCOPY);
    }
  }
  if (FocusCueShown(hwnd)) DrawFocusCue(buffer.Get(), client);
  BitBlt(hdc, 0, 0, width, height, buffer.Get(), 0, 0, SRCCOPY);
}

// WM_LBUTTONDOWN, WM_LBUTTONDBLCLK: a press begins on the button; a push
// button shows it pressed while the button stays held. (The second press of
// a double click comes as WM_LBUTTONDBLCLK and only begins a press.)
void OnLeftButtonDown(HWND hwnd, PicBtn* button, POINT point, bool secondOfDoubleClick) {
  if (!InClient(hwnd, point) || !IsWindowEnabled(hwnd)) return;
  button->pressBegunHere = true;
  if (IsToggle(button) || secondOfDoubleClick) return;
  SetVisualState(hwnd, button, kPressed);
  if (GetCapture() != hwnd) SetCapture(hwnd);
}

// WM_MOUSEMOVE: hover is followed by holding the capture while the pointer
// is over the button, not by leave notifications.
void OnMouseMove(HWND hwnd, PicBtn* button, POINT point, WPARAM keys) {
  if (IsToggle(button) || !IsWindowEnabled(hwnd)) {
    ReleaseCaptureOf(hwnd);
    return;
  }
  const bool held = (keys & MK_LBUTTON) != 0;
  POINT onScreen = point;
  ClientToScreen(hwnd, &onScreen);
  // Under capture every move comes here; the window really under the
  // pointer says whether it is still over the button (a cut-out part is
  // not).
  HWND under = WindowFromPoint(onScreen);
  if (under == hwnd || (!under && InClient(hwnd, point))) {
    if (GetCapture() != hwnd) SetCapture(hwnd);
    SetVisualState(hwnd, button, held ? kPressed : kHover);
    return;
  }
  // A press that left the button keeps the capture, so that coming back
  // while still holding shows it pressed again.
  if (!held) ReleaseCaptureOf(hwnd);
  SetVisualState(hwnd, button, kNormal);
}

// The click: a toggle button flips, then event 0 is raised.
void Click(HWND hwnd, PicBtn* button) {
  if (IsToggle(button)) {
    button->checked = !button->checked;
    SetVisualState(hwnd, button, button->checked ? kPressed : kNormal);
    AnnounceStateChange(hwnd);
  } else {
    SetVisualState(hwnd, button, kNormal);
  }
  // The handler may destroy the button: nothing of it is touched after.
  RaiseUnitEvent(button->identity, 0);
}

// WM_LBUTTONUP: the click, when a press begun on the button ends over it.
void OnLeftButtonUp(HWND hwnd, PicBtn* button, POINT point) {
  ReleaseCaptureOf(hwnd);
  const bool pressed = button->pressBegunHere;
  button->pressBegunHere = false;
  if (!pressed || !InClient(hwnd, point) || !IsWindowEnabled(hwnd)) return;
  Click(hwnd, button);
}

// BM_CLICK (Enter, from the window's keyboard handling) and the release of
// Space: a click, where a mouse press could reach the button.
void OnKeyboardClick(HWND hwnd, PicBtn* button) {
  if (!IsWindowEnabled(hwnd) || !UncoveredAtItsCentre(hwnd)) return;
  Click(hwnd, button);
}

// WM_KEYDOWN, WM_KEYUP: Space presses a push button while it is held, as a
// system button does, and clicks when it is released.
void OnKey(HWND hwnd, PicBtn* button, UINT message, WPARAM key, LPARAM keyData) {
  if (key != VK_SPACE) return;
  if (message == WM_KEYDOWN) {
    if (!IsFirstKeyDown(keyData) || !IsWindowEnabled(hwnd)) return;
    button->spaceHeld = true;
    if (!IsToggle(button)) SetVisualState(hwnd, button, kPressed);
    return;
  }
  if (!button->spaceHeld) return;
  button->spaceHeld = false;
  if (!IsToggle(button)) SetVisualState(hwnd, button, kNormal);
  OnKeyboardClick(hwnd, button);
}

// WM_SETFOCUS, WM_KILLFOCUS, WM_UPDATEUISTATE: the focus cue comes or goes.
// A Space held while the focus leaves clicks nothing.
void OnFocusChange(HWND hwnd, PicBtn* button, UINT message) {
  if (message == WM_KILLFOCUS && button->spaceHeld) {
    button->spaceHeld = false;
    if (!IsToggle(button)) SetVisualState(hwnd, button, kNormal);
  }
  InvalidateRect(hwnd, nullptr, FALSE);
}

// WM_GETDLGCODE: a button; a push button is a default button, which Enter
// presses wherever the focus is in its window when no unit claims the key.
LRESULT DialogCode(const PicBtn* button) {
  return DLGC_BUTTON | (IsToggle(button) ? DLGC_UNDEFPUSHBUTTON : DLGC_DEFPUSHBUTTON);
}

// WM_ENABLE: the disabled picture is shown or withdrawn at once.
void OnEnable(HWND hwnd, PicBtn* button) { Repaint(hwnd, button); }

// A toggle button reads as pressed while it is checked.
long ToggleState(HWND hwnd) {
  const PicBtn* button = StateOf(hwnd);
  return IsToggle(button) && button->checked ? STATE_SYSTEM_PRESSED : 0;
}

const char* PressAction(HWND) { return kActionPress; }

const AccessibleFacts PicBtn::kAccessible = {
    ROLE_SYSTEM_PUSHBUTTON, true, nullptr, ToggleState, nullptr, PressAction, PressLikeEnter};

HWND CreatePicBtn(const UnitCreateArgs& args) {
  std::unique_ptr<PicBtn> state = NewUnitState<PicBtn>(kPicBtnDescription, args);
  if (!state) return nullptr;
  state->blend = OwningWindowColour(args.identity.window);
  UnitWindowClass buttonClass;
  buttonClass.name = kClassName;
  // Erasing draws nothing: the paint covers every pixel.
  buttonClass.background = HBRUSH(GetStockObject(NULL_BRUSH));
  PicBtn* button = state.get();
  HWND hwnd = CreateUnitWindow<PicBtn, PicBtnProc>(buttonClass, args, {}, std::move(state));
  if (!hwnd) return nullptr;
  // A checked toggle button starts pressed.
  if (IsToggle(button)) {
    button->checked = button->properties.checked;
    button->visualState = button->checked ? kPressed : kNormal;
  }
  RebuildRegion(hwnd, button);
  return hwnd;
}

bool PropertyChanged(HWND hwnd, int unitIndex, const Value&) {
  PicBtn* button = StateOf(hwnd);
  const PicBtnProperties& properties = button->properties;
  switch (unitIndex) {
    case kPicBtnButtonKind:
      // The record holds the clamped kind, and toggle mode follows it.
      break;
    case kPicBtnChecked:
      if (IsToggle(button)) {
        const bool changed = button->checked != properties.checked;
        button->checked = properties.checked;
        SetVisualState(hwnd, button, button->checked ? kPressed : kNormal);
        if (changed) AnnounceStateChange(hwnd);
      }
      break;
    case kPicBtnNormalPicture:
      ForgetStatePicture(button, kNormalPicture);
      Repaint(hwnd, button);
      break;
    case kPicBtnHoverPicture:
      ForgetStatePicture(button, kHoverPicture);
      if (button->visualState == kHover) Repaint(hwnd, button);
      break;
    case kPicBtnPressedPicture:
      ForgetStatePicture(button, kPressedPicture);
      if (button->visualState == kPressed) Repaint(hwnd, button);
      break;
    case kPicBtnDisabledPicture:
      ForgetStatePicture(button, kDisabledPicture);
      if (!IsWindowEnabled(hwnd)) Repaint(hwnd, button);
      break;
    case kPicBtnTransparentColor:
      if (properties.transparentColor != button->appliedKey) Repaint(hwnd, button);
      break;
  }
  return false;
}

// A toggle button's checked state lives in the window; a push button has
// none, and its Checked is what was stored.
bool ReadLiveProperty(HWND hwnd, int unitIndex, Value* value) {
  const PicBtn* button = StateOf(hwnd);
  if (unitIndex != kPicBtnChecked || !IsToggle(button)) return false;
  *value = Value::Logical(button->checked);
  return true;
}

LRESULT PicBtnProc(HWND hwnd, PicBtn* button, UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnLeftButtonDown(hwnd, button, point, message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(hwnd, button, point, wParam);
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp(hwnd, button, point);
      return 0;
    case BM_CLICK:
      OnKeyboardClick(hwnd, button);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      OnKey(hwnd, button, message, wParam, lParam);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      OnFocusChange(hwnd, button, message);
      return 0;
    case WM_UPDATEUISTATE:
      DefWindowProcW(hwnd, message, wParam, lParam);
      OnFocusChange(hwnd, button, message);
      return 0;
    case WM_GETDLGCODE:
      return DialogCode(button);
    case WM_ENABLE: {
      const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
      OnEnable(hwnd, button);
      return result;
    }
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

const UnitOperations kPicBtnUnit = UnitClassOperations<PicBtn>(kPicBtnDescription, CreatePicBtn,
                                                               PropertyChanged, ReadLiveProperty);
