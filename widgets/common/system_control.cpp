#include "widgets/common/system_control.h"

namespace system_control {

HWND Create(const char* systemClass, const UnitCreateArgs& args, const UnitWindowStyle& style) {
  return unit_window::CreateWindowOf(systemClass, args, style, nullptr);
}

WNDPROC Subclass(HWND hwnd, void* state, WNDPROC procedure) {
  // The state first: the class's procedure finds it from its first message.
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(state));
  const WNDPROC systemProc = WNDPROC(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, LONG_PTR(procedure)));
  if (!systemProc) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return systemProc;
}

}  // namespace system_control

void GiveControlFont(HWND hwnd, UnitFont* font, const Bytes& record) {
  SendMessageW(hwnd, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  font->Set(record);
  SendMessageW(hwnd, WM_SETFONT, WPARAM(font->Get()), TRUE);
}
