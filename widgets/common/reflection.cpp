#include "widgets/common/reflection.h"

namespace {

// The control that `message` concerns, or nullptr when it is none of the
// reflected messages or comes from no control.
HWND ControlOf(HWND container, UINT message, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
      return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
      // The only message of the set that names its control by identifier.
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      return item && item->CtlType != ODT_MENU ? GetDlgItem(container, int(item->CtlID)) : nullptr;
    }
  }
  return nullptr;
}

}  // namespace

bool ReflectToControl(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND control = ControlOf(container, message, lParam);
  // A message about the container itself, or about a window that is not
  // inside it, goes nowhere: no loop, no stranger's window. A control inside
  // a container inside this one counts: an edit control keeps notifying the
  // parent it was created with, and the frame creates every unit on the
  // window before it moves the units of a picture box into it.
  if (!control || control == container || !IsChild(container, control)) return false;
  const LRESULT answer = SendMessageW(control, Reflected(message), wParam, lParam);
  if (answer == 0) return false;
  *result = answer;
  return true;
}
