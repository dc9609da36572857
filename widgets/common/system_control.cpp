#include "widgets/common/system_control.h"

HWND CreateSystemControl(const char* systemClass, const char* text, DWORD style,
                         const UnitCreateArgs& args, void* state, WNDPROC unitProc,
                         WNDPROC* systemProc) {
  HWND hwnd = CreateWindowExA(0, systemClass, text, style | args.style, args.left, args.top,
                              args.width, args.height, args.parent, HMENU(intptr_t(args.controlId)),
                              GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return nullptr;
  // The state first: the class's procedure finds it from its first message.
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(state));
  *systemProc = WNDPROC(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, LONG_PTR(unitProc)));
  return hwnd;
}
