#include "frame/message_box.h"

#include "services/wide_text.h"

ButtonCode ShowMessageBox(const Value& message, uint32_t style, const char* caption, HWND owner) {
  const Text text = MessageTextOf(message);
  HWND active = GetActiveWindow();
  const int pressed = MessageBoxW(owner, WideText(text).c_str(),
                                  WideText(caption ? caption : kDefaultMessageCaption).c_str(),
                                  MessageBoxStyleOf(style));
  // A task-modal box disables the thread's windows while it is shown. The
  // system may re-enable them only after the box has gone, and then leave
  // none of them active (Wine does): the keyboard would reach nothing. The
  // window that was active gets the activation back.
  if (active && IsWindow(active) && IsWindowEnabled(active) && !GetActiveWindow())
    SetActiveWindow(active);
  return ButtonCodeOf(pressed);
}
