// A top-level test window: it logs that its units exist and that it goes,
// raises events 3 and 4, shows itself as its StartPosition says, and claims
// right presses on its units as a window that drags anywhere claims left
// ones.
#include "tests/wine/frame/test_window/test_window.h"

#include <windows.h>

#include "tests/wine/frame/scenario_log.h"
#include "tests/wine/frame/test_window/test_window_properties.h"
#include "widgets/common/property_fields.h"

namespace {

const char kClassName[] = "MorvaneTestWindow";

const UnitDescription kFocusingDescription =
    Describe<TestWindowProperties, ClampTestWindowProperties>(
        "FocusingTestWindow", kFocusingWindowType, kTestWindowFields, 1);

struct TestWindow {
  TestWindowProperties properties;
  UnitIdentity identity;
  bool focusesFirstUnit = false;
};

TestWindow* StateOf(HWND hwnd) {
  return reinterpret_cast<TestWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TestWindow* state = StateOf(hwnd);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                        LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_MOVE:
      if (state) RaiseUnitEvent(state->identity, kWindowMoved);
      return 0;
    case WM_SIZE:
      if (state) RaiseUnitEvent(state->identity, kWindowResized);
      return 0;
    case kMsgAllUnitsCreated:
      LogLine("window told its units exist");
      return 0;
    case WM_ACTIVATE:
      if (state && state->focusesFirstUnit && LOWORD(wParam) != WA_INACTIVE) {
        SetFocus(GetWindow(hwnd, GW_CHILD));
        return 0;
      }
      break;
    case WM_DESTROY:
      if (state) LogLine("destroyed %08X", unsigned(state->identity.window));
      return 0;
    case WM_NCDESTROY:
      delete state;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND Create(const UnitCreateArgs& args, bool focusesFirstUnit) {
  static const ATOM registered = [] {
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass);
  }();
  if (!registered) return nullptr;
  TestWindow* state = new TestWindow;
  ReadProperties(args.properties, &state->properties);
  state->identity = args.identity;
  state->focusesFirstUnit = focusesFirstUnit;
  int left = args.left, top = args.top;
  if (state->properties.startPosition == 1) {
    left = (GetSystemMetrics(SM_CXSCREEN) - args.width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - args.height) / 2;
  }
  DWORD style =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | args.style;
  if (state->properties.startPosition == 2) style |= WS_MINIMIZE;
  HWND hwnd = CreateWindowExA(0, kClassName, state->properties.caption.c_str(), style, left, top,
                              args.width, args.height, args.parent, nullptr,
                              GetModuleHandleA(nullptr), state);
  if (!hwnd) delete state;
  return hwnd;
}

HWND CreateTestWindow(const UnitCreateArgs& args) { return Create(args, false); }
HWND CreateFocusingTestWindow(const UnitCreateArgs& args) { return Create(args, true); }

void* Properties(HWND hwnd) { return &StateOf(hwnd)->properties; }

bool PreTranslate(HWND, MSG* message) {
  if (message->message != WM_RBUTTONDOWN) return false;
  LogLine("window claimed a right press");
  return true;
}

int ShowCommand(HWND hwnd) {
  return StateOf(hwnd)->properties.startPosition == 2 ? SW_SHOWMINIMIZED : SW_SHOW;
}

constexpr UnitOperations MakeOperations(const UnitDescription* description,
                                        HWND (*create)(const UnitCreateArgs&)) {
  UnitOperations operations;
  operations.description = description;
  operations.create = create;
  operations.properties = Properties;
  operations.preTranslate = PreTranslate;
  operations.showCommand = ShowCommand;
  operations.isContainer = true;
  return operations;
}

}  // namespace

const UnitOperations kTestWindowUnit = MakeOperations(&kTestWindowDescription, CreateTestWindow);
const UnitOperations kFocusingTestWindowUnit =
    MakeOperations(&kFocusingDescription, CreateFocusingTestWindow);
