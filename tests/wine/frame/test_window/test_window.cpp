// A top-level test window: it logs that its units exist and that it goes,
// raises events 3 and 4, shows itself as its StartPosition says, and claims
// right presses on its units (and the windows inside them) as a window that
// drags anywhere claims left ones, logging the class of the unit pressed.
#include "tests/wine/frame/test_window/test_window.h"

#include <windows.h>

#include <utility>

#include "tests/wine/frame/scenario_log.h"
#include "tests/wine/frame/test_window/test_window_properties.h"
#include "widgets/common/property_fields.h"
#include "widgets/common/unit_window.h"

namespace {

const char kClassName[] = "MorvaneTestWindow";

const UnitDescription kFocusingDescription =
    Describe<TestWindowProperties>("FocusingTestWindow", kFocusingWindowType, kTestWindowFields, 1);

struct TestWindow : UnitState<TestWindowProperties> {
  bool focusesFirstUnit = false;
};

LRESULT TestWindowProc(HWND hwnd, TestWindow* state, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOVE:
      RaiseUnitEvent(state->identity, kWindowMoved);
      return 0;
    case WM_SIZE:
      RaiseUnitEvent(state->identity, kWindowResized);
      return 0;
    case kMsgAllUnitsCreated:
      LogLine("window told its units exist");
      return 0;
    case WM_ACTIVATE:
      if (state->focusesFirstUnit && LOWORD(wParam) != WA_INACTIVE) {
        SetFocus(GetWindow(hwnd, GW_CHILD));
        return 0;
      }
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_DESTROY:
      LogLine("destroyed %08X", unsigned(state->identity.window));
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

HWND Create(const UnitCreateArgs& args, bool focusesFirstUnit) {
  std::unique_ptr<TestWindow> state = NewUnitState<TestWindow>(kTestWindowDescription, args);
  if (!state) return nullptr;
  state->focusesFirstUnit = focusesFirstUnit;
  const UnitCreateArgs placed = TestWindowPlace(args, state->properties);
  UnitWindowStyle style;
  style.text = state->properties.caption.c_str();
  style.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  if (state->properties.startPosition == 2) style.style |= WS_MINIMIZE;
  return CreateUnitWindow<TestWindow, TestWindowProc>(TestWindowClass(kClassName), placed, style,
                                                      std::move(state));
}

HWND CreateTestWindow(const UnitCreateArgs& args) { return Create(args, false); }
HWND CreateFocusingTestWindow(const UnitCreateArgs& args) { return Create(args, true); }

TestWindow* StateOf(HWND hwnd) { return UnitStateOf<TestWindow>(hwnd); }

bool PreTranslate(HWND, MSG* message, const UnitOperations* target) {
  if (message->message != WM_RBUTTONDOWN) return false;
  LogLine("window claimed a right press on %s", target ? target->description->name : "no unit");
  return true;
}

int ShowCommand(HWND hwnd) {
  return StateOf(hwnd)->properties.startPosition == 2 ? SW_SHOWMINIMIZED : SW_SHOW;
}

constexpr UnitOperations MakeOperations(const UnitDescription* description,
                                        HWND (*create)(const UnitCreateArgs&)) {
  UnitOperations operations = UnitClassOperations<TestWindow>(*description, create, nullptr);
  operations.preTranslate = PreTranslate;
  operations.showCommand = ShowCommand;
  operations.isContainer = true;
  return operations;
}

}  // namespace

const UnitOperations kTestWindowUnit = MakeOperations(&kTestWindowDescription, CreateTestWindow);
const UnitOperations kFocusingTestWindowUnit =
    MakeOperations(&kFocusingDescription, CreateFocusingTestWindow);
