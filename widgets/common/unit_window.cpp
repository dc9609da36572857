#include "widgets/common/unit_window.h"

#include "services/wide_text.h"

namespace {

// Registers the class unless it is registered already. A class of that name
// serves when it has this procedure; one of another (a system control's,
// another unit class's, chosen as a window's ClassName) cannot carry the
// unit.
// The class is a wide one: its windows' procedures get every message in its
// UTF-16 form, and hand what they do not answer to DefWindowProcW.
bool RegisterUnitClass(const UnitWindowClass& windowClass, WNDPROC procedure) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const WideText name(windowClass.name);
  WNDCLASSW existing;
  if (GetClassInfoW(instance, name.c_str(), &existing)) return existing.lpfnWndProc == procedure;
  WNDCLASSW registered{};
  registered.style = windowClass.style;
  registered.lpfnWndProc = procedure;
  registered.hInstance = instance;
  registered.hCursor = windowClass.cursor ? windowClass.cursor : LoadCursorW(nullptr, IDC_ARROW);
  registered.hbrBackground = windowClass.background;
  registered.lpszClassName = name.c_str();
  return RegisterClassW(&registered) != 0;
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
  return CreateWindowExW(style.exStyle, WideText(className).c_str(), WideText(style.text).c_str(),
                         style.style | args.style, args.left, args.top, args.width, args.height,
                         args.parent, HMENU(intptr_t(args.controlId)), GetModuleHandleW(nullptr),
                         parameter);
}

void* StateFor(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* handoff =
        static_cast<Handoff*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    // A window of the class made by anything but CreateUnitWindow has none.
    if (!handoff) return nullptr;
    handoff->taken = true;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(handoff->state));
    return handoff->state;
  }
  return reinterpret_cast<void*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void GiveBack(HWND hwnd, LPARAM lParam) {
  // The system may still send WM_NCDESTROY; it then finds no state.
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  static_cast<Handoff*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams)->taken =
      false;
}

void AnswerPaint(HWND hwnd, UINT message, WPARAM wParam, PaintStep paint, void* state) {
  PaintRequest request;
  if (message == WM_PAINT) {
    PAINTSTRUCT painting;
    request.dc = BeginPaint(hwnd, &painting);
    request.area = painting.rcPaint;
    request.onScreen = true;
    if (request.dc) paint(hwnd, state, request);
    EndPaint(hwnd, &painting);
    return;
  }
  request.dc = reinterpret_cast<HDC>(wParam);
  RECT client{}, shown{};
  GetClientRect(hwnd, &client);
  if (GetClipBox(request.dc, &shown) != ERROR && IntersectRect(&request.area, &client, &shown))
    paint(hwnd, state, request);
}

}  // namespace unit_window

Text WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return Text();
  WideText text = WideText::Room(size_t(length));
  // The copy says how much there is.
  const int copied = GetWindowTextW(hwnd, text.Buffer(), length + 1);
  return TextOfWide(text.c_str(), size_t(copied > 0 ? copied : 0));
}

bool SetWindowTextTo(HWND hwnd, const Text& text) {
  return SetWindowTextW(hwnd, WideText(text).c_str()) != FALSE;
}

bool InClient(HWND hwnd, POINT point) {
  RECT client;
  GetClientRect(hwnd, &client);
  return PtInRect(&client, point) != FALSE;
}
