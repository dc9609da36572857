// The hyperlink box (HyperLinker): one line of centred text on a solid
// background, in its hover colour while the pointer is over it and in its
// visited colour after it was opened; a left click opens its e-mail or web
// address through the shell (open_link.h). The pointer over it is the
// program's own hand. From the keyboard, a box with a tab stop takes the
// focus and shows a focus cue; Enter or Space presses it as the mouse does,
// and so does a screen reader's default action.
#include "widgets/hyperlinker/hyperlinker.h"

#include <windowsx.h>

#include <utility>

#include "frame/program_resources.h"
#include "texts/accessible.h"
#include "services/wide_text.h"
#include "widgets/common/accessible.h"
#include "widgets/common/gdi_owners.h"
#include "widgets/common/keyboard_access.h"
#include "widgets/common/unit_look.h"
#include "widgets/common/unit_window.h"
#include "widgets/hyperlinker/open_link.h"

namespace {

const char kClassName[] = "MorvaneHyperLinker";

struct HyperLinker {
  // A link to screen readers, named by what it shows and opened as Enter
  // opens it.
  static const AccessibleFacts kAccessible;
  static void Paint(HWND hwnd, HyperLinker& link, const PaintRequest& request);
  HyperLinkerProperties properties;
  UnitLink link;
  UnitFont font;
  bool hovering = false;   // the pointer is over the box; the box holds the capture
  bool visited = false;    // the last open succeeded
  bool spaceHeld = false;  // Space went down while the box had the focus
};

LRESULT HyperLinkerProc(HWND hwnd, HyperLinker* link, UINT message, WPARAM wParam, LPARAM lParam);

HyperLinker* StateOf(HWND hwnd) { return UnitStateOf<HyperLinker>(hwnd); }

// What the box shows: its caption, or without one the address itself.
Text ShownText(HWND hwnd, const HyperLinker* link) {
  Text text = WindowText(hwnd);
  if (!text.empty()) return text;
  return link->properties.linkKind == 1 ? link->properties.webAddress
                                        : link->properties.mailAddress;
}

COLORREF TextColour(const HyperLinker* link) {
  const HyperLinkerProperties& properties = link->properties;
  if (link->hovering) return COLORREF(properties.hoverColor);
  return COLORREF(link->visited ? properties.visitedColor : properties.textColor);
}

// The box paints its whole background itself: invalidations never erase.
void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

void ReleaseCaptureOf(HWND hwnd) {
  if (GetCapture() == hwnd) ReleaseCapture();
}

// Painting: the background over the part asked for, then the text centred
// in the whole client area.
void HyperLinker::Paint(HWND hwnd, HyperLinker& state, const PaintRequest& request) {
  const HyperLinker* link = &state;
  HDC hdc = request.dc;
  const RECT& clip = request.area;
  if (IsRectEmpty(&clip)) return;
  BrushOwner background(CreateSolidBrush(ColourOrDefault(link->properties.backColor)));
  const int saved = SaveDC(hdc);
  SelectObject(hdc, background.Get());
  PatBlt(hdc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, PATCOPY);
  const Text text = ShownText(hwnd, link);
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, TextColour(link));
  SelectObject(hdc, link->font.Get());
  RECT client;
  GetClientRect(hwnd, &client);
  const WideText wide(text);
  DrawTextW(hdc, wide.c_str(), wide.Length(), &client,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
  if (FocusCueShown(hwnd)) DrawFocusCue(hdc, client);
  // Puts back the caller's brush and font before ours go.
  RestoreDC(hdc, saved);
}

// Hovering ends: the normal or visited colour comes back at once.
void EndHover(HWND hwnd, HyperLinker* link) {
  link->hovering = false;
  ReleaseCaptureOf(hwnd);
  Redraw(hwnd);
}

// WM_MOUSEMOVE: the pointer came in, moved inside or left. The box holds
// the capture while hovering, so that it also hears the move that leaves.
// Under the capture, a window that has come over the box (one its own press
// opened, say) counts as the pointer leaving: the box is no longer what the
// pointer is over.
void OnMouseMove(HWND hwnd, HyperLinker* link, POINT point) {
  if (!link->hovering) {
    link->hovering = true;
    Redraw(hwnd);
    SetCapture(hwnd);
    return;
  }
  POINT onScreen = point;
  ClientToScreen(hwnd, &onScreen);
  if (!InClient(hwnd, point) || WindowFromPoint(onScreen) != hwnd) {
    EndHover(hwnd, link);
    return;
  }
  if (GetCapture() != hwnd) SetCapture(hwnd);
}

// WM_CAPTURECHANGED: the capture went elsewhere (a window took it, or the
// system released it). Without it the box would hear no move that leaves,
// so the hover ends now; the next move over the box begins it again.
void OnCaptureLost(HWND hwnd, HyperLinker* link, HWND newCapture) {
  if (newCapture == hwnd || !link->hovering) return;
  link->hovering = false;
  Redraw(hwnd);
}

// WM_LBUTTONDOWN: the click opens the link; its result is the visited
// state, so a failed open clears an earlier success.
void OnLeftButtonDown(HWND hwnd, HyperLinker* link) {
  const bool opened = OpenHyperLink(link->properties, SW_SHOW);
  // The shell may run a message loop of its own while it opens the target;
  // the box may be gone by the time it returns.
  if (!IsWindow(hwnd) || StateOf(hwnd) != link) return;
  const bool changed = link->visited != opened;
  link->visited = opened;
  if (changed) AnnounceStateChange(hwnd);
  if (opened) Redraw(hwnd);
}

// BM_CLICK (Enter, from the window's keyboard handling) and the release of
// Space: the press of a left click at the box's centre, posted so that it
// reaches the box through the message loop as the mouse's does, where the
// window's handlers hear it first (they may drop it) and the box then opens
// its link. Only where a mouse press could reach the box.
void OnKeyboardPress(HWND hwnd) {
  if (!IsWindowEnabled(hwnd) || !UncoveredAtItsCentre(hwnd)) return;
  RECT client;
  GetClientRect(hwnd, &client);
  const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  PostMessageW(hwnd, WM_LBUTTONUP, 0, centre);
}

// WM_KEYDOWN, WM_KEYUP: Space presses the box when it is released.
void OnKey(HWND hwnd, HyperLinker* link, UINT message, WPARAM key, LPARAM keyData) {
  if (key != VK_SPACE) return;
  if (message == WM_KEYDOWN) {
    if (IsFirstKeyDown(keyData)) link->spaceHeld = true;
    return;
  }
  if (!link->spaceHeld) return;
  link->spaceHeld = false;
  OnKeyboardPress(hwnd);
}

Text LinkName(HWND hwnd) { return ShownText(hwnd, StateOf(hwnd)); }

long LinkState(HWND hwnd) {
  return STATE_SYSTEM_LINKED | (StateOf(hwnd)->visited ? STATE_SYSTEM_TRAVERSED : 0);
}

// The address it opens, as a link's value is.
Text LinkAddress(HWND hwnd) {
  const HyperLinkerProperties& properties = StateOf(hwnd)->properties;
  return properties.linkKind == 1 ? properties.webAddress : properties.mailAddress;
}

const char* OpenAction(HWND) { return kActionOpen; }

const AccessibleFacts HyperLinker::kAccessible = {
    ROLE_SYSTEM_LINK, true, LinkName, LinkState, LinkAddress, OpenAction, PressLikeEnter};

HCURSOR ProgramHand() {
  HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_PROGRAM_HAND));
  // A program built without the resource still shows a hand.
  return hand ? hand : LoadCursorW(nullptr, IDC_HAND);
}

HWND CreateHyperLinker(const UnitCreateArgs& args) {
  std::unique_ptr<HyperLinker> state(new HyperLinker);
  HyperLinkerProperties& properties = state->properties;
  // The default hover colour is the system's highlight colour of the moment.
  if (!ReadHyperLinkerProperties(args.properties, GetSysColor(COLOR_HIGHLIGHT), &properties))
    return nullptr;
  ClampProperties(kHyperLinkerDescription, &properties);
  state->font.Set(properties.font);
  UnitWindowClass linkClass;
  linkClass.name = kClassName;
  linkClass.cursor = ProgramHand();
  UnitWindowStyle style;
  style.text = properties.caption.c_str();
  HWND hwnd =
      CreateUnitWindow<HyperLinker, HyperLinkerProc>(linkClass, args, style, std::move(state));
  if (hwnd) ApplyUnitBorder(hwnd, properties.border);
  return hwnd;
}

bool PropertyChanged(HWND hwnd, int unitIndex, const Value&) {
  HyperLinker* link = StateOf(hwnd);
  const HyperLinkerProperties& properties = link->properties;
  switch (unitIndex) {
    case kHyperLinkerCaption:
      SetWindowTextTo(hwnd, properties.caption);
      Redraw(hwnd);
      break;
    case kHyperLinkerMailAddress:
    case kHyperLinkerWebAddress:
      // An address is seen only while there is no caption.
      if (GetWindowTextLengthW(hwnd) == 0) Redraw(hwnd);
      break;
    case kHyperLinkerBorder:
      ApplyUnitBorder(hwnd, properties.border);
      break;
    case kHyperLinkerFont:
      link->font.Set(properties.font);
      Redraw(hwnd);
      break;
    default:
      Redraw(hwnd);
      break;
  }
  return false;
}

LRESULT HyperLinkerProc(HWND hwnd, HyperLinker* link, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(hwnd, link, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(hwnd, link);
      return 0;
    case WM_CAPTURECHANGED:
      OnCaptureLost(hwnd, link, reinterpret_cast<HWND>(lParam));
      return 0;
    case BM_CLICK:
      OnKeyboardPress(hwnd);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      OnKey(hwnd, link, message, wParam, lParam);
      return 0;
    case WM_KILLFOCUS:
      link->spaceHeld = false;
      Redraw(hwnd);
      return 0;
    case WM_SETFOCUS:
      Redraw(hwnd);
      return 0;
    case WM_UPDATEUISTATE:
      DefWindowProcW(hwnd, message, wParam, lParam);
      Redraw(hwnd);
      return 0;
    case WM_GETDLGCODE:
      // A push button that is never the default: Enter on the box presses it.
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

const UnitOperations kHyperLinkerUnit =
    UnitClassOperations<HyperLinker>(kHyperLinkerDescription, CreateHyperLinker, PropertyChanged);
