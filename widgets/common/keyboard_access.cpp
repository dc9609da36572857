#include "widgets/common/keyboard_access.h"

bool FocusCueShown(HWND unit) {
  if (GetFocus() != unit) return false;
  return (SendMessageW(unit, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

void DrawFocusCue(HDC hdc, RECT area) {
  InflateRect(&area, -1, -1);
  if (IsRectEmpty(&area)) return;
  // DrawFocusRect inverts; the colours it draws with must be the defaults.
  const COLORREF text = SetTextColor(hdc, RGB(0, 0, 0));
  const COLORREF back = SetBkColor(hdc, RGB(255, 255, 255));
  DrawFocusRect(hdc, &area);
  SetTextColor(hdc, text);
  SetBkColor(hdc, back);
}

bool UncoveredAtItsCentre(HWND unit) {
  RECT rect;
  GetWindowRect(unit, &rect);
  const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  for (HWND child = unit; GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD;) {
    HWND parent = GetParent(child);
    if (!parent) break;
    POINT inParent = centre;
    ScreenToClient(parent, &inParent);
    if (ChildWindowFromPointEx(parent, inParent, CWP_SKIPINVISIBLE) != child) return false;
    child = parent;
  }
  return true;
}
