#include "widgets/common/unit_window.h"

namespace {

// Registers the class unless it is registered already. A class of that name
// serves when it has this procedure; one of another (a system control's,
// another unit class's, chosen as a window's ClassName) cannot carry the
// unit.
bool RegisterUnitClass(const UnitWindowClass& windowClass, WNDPROC procedure) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (GetClassInfoA(instance, windowClass.name, &existing))
    return existing.lpfnWndProc == procedure;
  WNDCLASSA registered{};
  registered.style = windowClass.style;
  registered.lpfnWndProc = procedure;
  registered.hInstance = instance;
  registered.hCursor = windowClass.cursor ? windowClass.cursor : LoadCursorA(nullptr, IDC_ARROW);
  registered.hbrBackground = windowClass.background;
  registered.lpszClassName = windowClass.name;
  return RegisterClassA(&registered) != 0;
}

}  // namespace

namespace unit_window {

HWND Create(const UnitWindowClass& windowClass, WNDPROC procedure, const UnitCreateArgs& args,
            const UnitWindowStyle& style, Handoff* handoff) {
  if (!RegisterUnitClass(windowClass, procedure)) {
    if (windowClass.unregisteredIsFatal) ReportClassNotRegistered(windowClass.name);
    return nullptr;
  }
  return CreateWindowOf(windowClass.name, args, style, handoff);
}

HWND CreateWindowOf(const char* className, const UnitCreateArgs& args, const UnitWindowStyle& style,
                    void* parameter) {
  return CreateWindowExA(style.exStyle, className, style.text, style.style | args.style, args.left,
                         args.top, args.width, args.height, args.parent,
                         HMENU(intptr_t(args.controlId)), GetModuleHandleA(nullptr), parameter);
}

void* StateFor(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* handoff =
        static_cast<Handoff*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
    // A window of the class made by anything but CreateUnitWindow has none.
    if (!handoff) return nullptr;
    handoff->taken = true;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(handoff->state));
    return handoff->state;
  }
  return reinterpret_cast<void*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void GiveBack(HWND hwnd, LPARAM lParam) {
  // The system may still send WM_NCDESTROY; it then finds no state.
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  static_cast<Handoff*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams)->taken =
      false;
}

}  // namespace unit_window

Text WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return Text();
  // The length may be larger than the text (a DBCS system counts bytes
  // generously); the copy says how much there is.
  Text text(size_t(length) + 1, '\0');
  const int copied = GetWindowTextA(hwnd, &text[0], length + 1);
  text.resize(size_t(copied > 0 ? copied : 0));
  return text;
}

bool InClient(HWND hwnd, POINT point) {
  RECT client;
  GetClientRect(hwnd, &client);
  return PtInRect(&client, point) != FALSE;
}
