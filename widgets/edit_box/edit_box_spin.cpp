#include "widgets/edit_box/edit_box_spin.h"

#include <commctrl.h>

#include "frame/common_controls.h"

namespace {

// Between the arrows and the nearest character.
constexpr int kTextGap = 2;

int SpinWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

// The width of the box's border on each side: the client area is never
// narrowed horizontally, so its left edge says it for all four.
int BorderWidth(HWND box, const RECT& screenRect) {
  POINT origin{0, 0};
  ClientToScreen(box, &origin);
  return origin.x - screenRect.left;
}

}  // namespace

HWND CreateSpin(HWND box, int32_t variant, int32_t low, int32_t high) {
  if (!EnsureCommonControls()) return nullptr;
  // No UDS_ARROWKEYS: with it the up-down subclasses the box through the
  // common controls' subclass chain, which on removal puts back the
  // procedure it found and so would unhook whatever hooked the box after it.
  HWND spin = CreateWindowExW(
      0, UPDOWN_CLASSW, L"", WS_CHILD | WS_CLIPSIBLINGS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0, 0,
      SpinWidth(), 0, GetParent(box), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!spin) return nullptr;
  SendMessageW(spin, UDM_SETBUDDY, WPARAM(box), 0);
  SetSpinRange(spin, low, high);
  ReserveSpinMargin(box, variant);
  PlaceSpin(box, spin, variant);
  return spin;
}

void SetSpinRange(HWND spin, int32_t low, int32_t high) {
  SendMessageW(spin, UDM_SETRANGE32, WPARAM(low), LPARAM(high));
}

void PlaceSpin(HWND box, HWND spin, int32_t variant) {
  HWND parent = GetParent(box);
  if (GetParent(spin) != parent) SetParent(spin, parent);
  RECT rect{};
  GetWindowRect(box, &rect);
  const int border = BorderWidth(box, rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  const int width = SpinWidth();
  const int x = variant == kSpinLeft ? rect.left + border : rect.right - border - width;
  int height = rect.bottom - rect.top - 2 * border;
  if (height < 0) height = 0;
  // Just above the box: inserted below the sibling that is above it.
  HWND above = GetWindow(box, GW_HWNDPREV);
  UINT flags = SWP_NOACTIVATE;
  if (above == spin)
    flags |= SWP_NOZORDER;
  else if (!above)
    above = HWND_TOP;
  const bool visible = (GetWindowLongW(box, GWL_STYLE) & WS_VISIBLE) != 0;
  flags |= visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  SetWindowPos(spin, above, x, rect.top + border, width, height, flags);
  EnableWindow(spin, IsWindowEnabled(box));
}

void ReserveSpinMargin(HWND box, int32_t variant) {
  const WORD room = WORD(SpinWidth() + kTextGap);
  if (variant == kSpinLeft)
    SendMessageW(box, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(room, 0));
  else
    SendMessageW(box, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, room));
}
