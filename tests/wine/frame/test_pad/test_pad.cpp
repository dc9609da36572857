#include "tests/wine/frame/test_pad/test_pad.h"

#include <windows.h>

#include <utility>

#include "tests/wine/frame/scenario_log.h"
#include "widgets/common/property_fields.h"
#include "widgets/common/unit_window.h"

namespace {

const char kClassName[] = "MorvaneTestPad";

struct TestPadProperties {
  int32_t mark = 0;
};

constexpr PropertyField kFields[] = {
    Field<&TestPadProperties::mark>(0, "Mark", PropertyForm::Integer),
};

const UnitDescription kDescription =
    Describe<TestPadProperties>("TestPad", kTestPadType, kFields, 1);
const UnitDescription kSilentDescription =
    Describe<TestPadProperties>("SilentPad", kSilentPadType, kFields, 1);
const UnitDescription kRefusingDescription =
    Describe<TestPadProperties>("RefusingPad", kRefusingPadType, kFields, 1);

struct TestPad : UnitState<TestPadProperties> {
  bool refusesCreation = false;
  // A refused window's state goes with it, once.
  ~TestPad() {
    if (refusesCreation) LogLine("pad %08X released", unsigned(identity.unit));
  }
};

LRESULT TestPadProc(HWND hwnd, TestPad* state, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (state->refusesCreation) return -1;
      // Raised while the window is being created: never delivered.
      RaiseUnitEvent(state->identity, 5);
      return 0;
    case WM_SIZE:
      RaiseUnitEvent(state->identity, 5);
      return 0;
    case WM_LBUTTONDOWN:
      LogLine("pad %08X saw press", unsigned(state->identity.unit));
      SetFocus(hwnd);
      SetCapture(hwnd);
      return 0;
    case WM_RBUTTONDOWN:
      LogLine("pad %08X saw right press", unsigned(state->identity.unit));
      return 0;
    case WM_CHAR:
      LogLine("pad %08X char %d", unsigned(state->identity.unit), int(wParam));
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd) ReleaseCapture();
      RaiseUnitEvent(state->identity, 0);
      return 0;
    case kPadSumMessage:
      return LRESULT(wParam + lParam + 1000);
    case kMsgCreationComplete:
    case kMsgWindowShown:
      LogLine("pad %08X %s", unsigned(state->identity.unit),
              message == kMsgCreationComplete ? "complete" : "shown");
      return 0;
    case kPadReportCursorMessage:
      LogLine("cursor hand %d arrow %d", GetCursor() == LoadCursorW(nullptr, IDC_HAND) ? 1 : 0,
              GetCursor() == LoadCursorW(nullptr, IDC_ARROW) ? 1 : 0);
      return 0;
    case kPadStrayEventMessage:
      RaiseUnitEvent(UnitIdentity{wParam == 1 ? kStrayWindow : state->identity.window, kStrayUnit},
                     6);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

HWND Create(const UnitCreateArgs& args, bool refusesCreation) {
  std::unique_ptr<TestPad> state(new TestPad);
  state->identity = args.identity;
  state->refusesCreation = refusesCreation;
  UnitWindowClass padClass;
  padClass.name = kClassName;
  padClass.style = CS_DBLCLKS;
  padClass.background = HBRUSH(COLOR_HIGHLIGHT + 1);
  UnitWindowStyle style;
  style.style = WS_CHILD;
  return CreateUnitWindow<TestPad, TestPadProc>(padClass, args, style, std::move(state));
}

HWND CreateTestPad(const UnitCreateArgs& args) { return Create(args, false); }
HWND CreateRefusingPad(const UnitCreateArgs& args) { return Create(args, true); }

// Any change of Mark asks for a new window.
bool PropertyChanged(HWND, int unitIndex, const Value&) { return unitIndex == 0; }

constexpr UnitOperations MakeOperations(const UnitDescription* description,
                                        HWND (*create)(const UnitCreateArgs&), bool raisesEvents) {
  UnitOperations operations = UnitClassOperations<TestPad>(*description, create, PropertyChanged);
  operations.raisesEvents = raisesEvents;
  return operations;
}

}  // namespace

const UnitOperations kTestPadUnit = MakeOperations(&kDescription, CreateTestPad, true);
const UnitOperations kSilentPadUnit = MakeOperations(&kSilentDescription, CreateTestPad, false);
const UnitOperations kRefusingPadUnit =
    MakeOperations(&kRefusingDescription, CreateRefusingPad, true);
