#include "frame/message_box.h"

ButtonCode ShowMessageBox(const Value& message, uint32_t style, const char* caption, HWND owner) {
  const Text text = MessageTextOf(message);
  HWND active = GetActiveWindow();
  const int pressed = MessageBoxA(owner, text.c_str(), caption ? caption : kDefaultMessageCaption,
                                  MessageBoxStyleOf(style));
  // A task-modal box disables the thread's windows while it is shown. The
  // system may re-enable them only after the box has gone, and then leave
  // none of them active (Wine does): the keyboard would reach nothing. The
  // window that was active gets the activation back.
  if (active && IsWindow(active) && IsWindowEnabled(active) && !GetActiveWindow())
    SetActiveWindow(active);
  return ButtonCodeOf(pressed);
}
