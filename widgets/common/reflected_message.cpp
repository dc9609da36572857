#include "widgets/common/reflected_message.h"

namespace {

bool IsColourRequest(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

}  // namespace

bool ReflectToControl(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_COMMAND && !IsColourRequest(message)) return false;
  // A menu or accelerator command names no control.
  HWND control = HWND(lParam);
  if (!control || control == container || !IsChild(container, control)) return false;
  const LRESULT answer = SendMessageA(control, kReflectedMessageBase + message, wParam, lParam);
  if (IsColourRequest(message) && answer == 0) return false;
  *result = answer;
  return true;
}
