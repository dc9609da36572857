#include "services/message_box.h"

#include <windows.h>

#include "frame/frame_interface.h"
#include "services/message_text.h"

namespace {

// A unit that cannot be found gives no owner rather than an error: the box
// is still worth showing.
HWND OwnerOf(const Value& owner) {
  if (owner.type == ValueType::Integer) return HWND(uintptr_t(uint32_t(owner.integer)));
  if (owner.type != ValueType::Unit) return nullptr;
  return FindUnitWindow(owner.unit.window, owner.unit.unit);
}

}  // namespace

int32_t ShowMessageBox(const Value& message, const Value& style, const Value& caption,
                       const Value& owner) {
  const Text text = MessageTextOf(message);
  const Text title = caption.type == ValueType::Text ? caption.text : Text(kDefaultMessageCaption);
  const uint32_t requested = style.type == ValueType::Integer ? uint32_t(style.integer) : 0;
  HWND active = GetActiveWindow();
  const int pressed =
      MessageBoxA(OwnerOf(owner), text.c_str(), title.c_str(), MessageBoxStyleOf(requested));
  // A task-modal box disables the thread's windows while it is shown. The
  // system may re-enable them only after the box has gone, and then leave
  // none of them active (Wine does): the keyboard would reach nothing. The
  // window that was active gets the activation back.
  if (active && IsWindow(active) && IsWindowEnabled(active) && !GetActiveWindow())
    SetActiveWindow(active);
  return ButtonCodeOf(pressed);
}
