#include "tests/wine/frame/test_pad/test_pad.h"

#include <windows.h>

#include "tests/wine/frame/scenario_log.h"
#include "widgets/common/property_fields.h"

namespace {

const char kClassName[] = "MorvaneTestPad";

struct TestPadProperties {
  int32_t mark = 0;
};

void ClampTestPadProperties(TestPadProperties*) {}

constexpr PropertyField kFields[] = {
    Field<&TestPadProperties::mark>(0, "Mark", PropertyForm::Integer),
};

const UnitDescription kDescription =
    Describe<TestPadProperties, ClampTestPadProperties>("TestPad", kTestPadType, kFields, 1);
const UnitDescription kSilentDescription =
    Describe<TestPadProperties, ClampTestPadProperties>("SilentPad", kSilentPadType, kFields, 1);

struct TestPad {
  TestPadProperties properties;
  UnitIdentity identity;
};

TestPad* StateOf(HWND hwnd) {
  return reinterpret_cast<TestPad*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK TestPadProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TestPad* state = StateOf(hwnd);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                        LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_CREATE:
      // Raised while the window is being created: never delivered.
      RaiseUnitEvent(
          reinterpret_cast<TestPad*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams)
              ->identity,
          5);
      return 0;
    case WM_SIZE:
      if (state) RaiseUnitEvent(state->identity, 5);
      return 0;
    case WM_LBUTTONDOWN:
      if (state) LogLine("pad %08X saw press", unsigned(state->identity.unit));
      SetFocus(hwnd);
      SetCapture(hwnd);
      return 0;
    case WM_RBUTTONDOWN:
      if (state) LogLine("pad %08X saw right press", unsigned(state->identity.unit));
      return 0;
    case WM_CHAR:
      if (state) LogLine("pad %08X char %d", unsigned(state->identity.unit), int(wParam));
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd) ReleaseCapture();
      if (state) RaiseUnitEvent(state->identity, 0);
      return 0;
    case kPadSumMessage:
      return LRESULT(wParam + lParam + 1000);
    case kMsgCreationComplete:
    case kMsgWindowShown:
      if (state)
        LogLine("pad %08X %s", unsigned(state->identity.unit),
                message == kMsgCreationComplete ? "complete" : "shown");
      return 0;
    case kPadReportCursorMessage:
      LogLine("cursor hand %d arrow %d", GetCursor() == LoadCursorA(nullptr, IDC_HAND) ? 1 : 0,
              GetCursor() == LoadCursorA(nullptr, IDC_ARROW) ? 1 : 0);
      return 0;
    case kPadStrayEventMessage:
      if (state)
        RaiseUnitEvent(
            UnitIdentity{wParam == 1 ? kStrayWindow : state->identity.window, kStrayUnit}, 6);
      return 0;
    case WM_NCDESTROY:
      delete state;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND CreateTestPad(const UnitCreateArgs& args) {
  static const ATOM registered = [] {
    WNDCLASSA padClass{};
    padClass.style = CS_DBLCLKS;
    padClass.lpfnWndProc = TestPadProc;
    padClass.hInstance = GetModuleHandleA(nullptr);
    padClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    padClass.hbrBackground = HBRUSH(COLOR_HIGHLIGHT + 1);
    padClass.lpszClassName = kClassName;
    return RegisterClassA(&padClass);
  }();
  if (!registered) return nullptr;
  TestPad* state = new TestPad;
  state->identity = args.identity;
  HWND hwnd = CreateWindowExA(0, kClassName, "", WS_CHILD | args.style, args.left, args.top,
                              args.width, args.height, args.parent, HMENU(intptr_t(args.controlId)),
                              GetModuleHandleA(nullptr), state);
  if (!hwnd) delete state;
  return hwnd;
}

void* Properties(HWND hwnd) { return &StateOf(hwnd)->properties; }

// Any change of Mark asks for a new window.
bool PropertyChanged(HWND, int unitIndex, const Value&) { return unitIndex == 0; }

constexpr UnitOperations MakeOperations(const UnitDescription* description, bool raisesEvents) {
  UnitOperations operations;
  operations.description = description;
  operations.create = CreateTestPad;
  operations.properties = Properties;
  operations.propertyChanged = PropertyChanged;
  operations.raisesEvents = raisesEvents;
  return operations;
}

}  // namespace

const UnitOperations kTestPadUnit = MakeOperations(&kDescription, true);
const UnitOperations kSilentPadUnit = MakeOperations(&kSilentDescription, false);
