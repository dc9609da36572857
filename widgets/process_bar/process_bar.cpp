// The progress bar (ProcessBar): a common-controls progress bar
// (msctls_progress32) showing Position within the range of Minimum and
// Maximum, given in either order. The control is subclassed to carry the
// unit's state and to tell screen readers of its value's changes; it draws
// itself. Vertical and Smooth are window styles
// fixed at creation, so changing them re-creates the unit.
#include "widgets/process_bar/process_bar.h"

#include <commctrl.h>

#include <utility>

#include "services/number_text.h"
#include "widgets/common/accessible.h"
#include "widgets/common/system_control.h"
#include "widgets/common/unit_look.h"
#include "widgets/process_bar/process_bar_properties.h"

namespace {

struct ProcessBar : UnitState<ProcessBarProperties> {
  // A progress bar to screen readers, its share done as its value.
  static const AccessibleFacts kAccessible;
  WNDPROC systemProc = nullptr;  // the progress bar's own procedure
};

LRESULT ProcessBarProc(HWND hwnd, ProcessBar* bar, UINT message, WPARAM wParam, LPARAM lParam);

DWORD StylesOf(const ProcessBarProperties& properties) {
  DWORD style = 0;
  if (properties.vertical) style |= PBS_VERTICAL;
  if (properties.smooth) style |= PBS_SMOOTH;
  return style;
}

// The range first: the control keeps its position inside the range it has,
// and the record's position is already clamped to the new one.
void SendRangeAndPosition(HWND hwnd, const ProcessBarProperties& properties) {
  const ProcessBarRange range = ProcessBarRangeOf(properties);
  SendMessageW(hwnd, PBM_SETRANGE, 0, MAKELPARAM(range.low, range.high));
  SendMessageW(hwnd, PBM_SETPOS, WPARAM(properties.position), 0);
}

// The share of the bar that the control shows done, in percent.
int32_t ShownPercent(HWND hwnd) {
  PBRANGE range{};
  SendMessageW(hwnd, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  const int32_t position = int32_t(SendMessageW(hwnd, PBM_GETPOS, 0, 0));
  return ProcessBarPercent(ProcessBarRange{range.iLow, range.iHigh}, position);
}

Text PercentText(HWND hwnd) { return DecimalText(ShownPercent(hwnd)) + "%"; }

const AccessibleFacts ProcessBar::kAccessible = {ROLE_SYSTEM_PROGRESSBAR, false, nullptr,
                                                 ReadOnlyState, PercentText};

bool MovesTheBar(UINT message) {
  switch (message) {
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
      return true;
  }
  return false;
}

// A message that may change what the bar shows: screen readers hear of each
// change of its value, which the control does not tell them of itself.
LRESULT MoveTheBar(HWND hwnd, ProcessBar* bar, UINT message, WPARAM wParam, LPARAM lParam) {
  const int32_t before = ShownPercent(hwnd);
  const LRESULT result = CallWindowProcW(bar->systemProc, hwnd, message, wParam, lParam);
  if (ShownPercent(hwnd) != before) AnnounceValueChange(hwnd);
  return result;
}

// The unit operations.

HWND CreateProcessBar(const UnitCreateArgs& args) {
  std::unique_ptr<ProcessBar> state = NewUnitState<ProcessBar>(kProcessBarDescription, args);
  if (!state) return nullptr;
  ProcessBarProperties& properties = state->properties;
  UnitWindowStyle style;
  style.style |= StylesOf(properties);
  HWND hwnd = CreateSystemControl<ProcessBar, ProcessBarProc>(PROGRESS_CLASSA, args, style,
                                                              std::move(state));
  if (!hwnd) return nullptr;
  SendRangeAndPosition(hwnd, properties);
  ApplyUnitBorder(hwnd, properties.border);
  return hwnd;
}

bool PropertyChanged(HWND hwnd, int unitIndex, const Value&) {
  const ProcessBarProperties& properties = UnitStateOf<ProcessBar>(hwnd)->properties;
  switch (unitIndex) {
    case kProcessBarBorder:
      ApplyUnitBorder(hwnd, properties.border);
      return false;
    case kProcessBarVertical:
    case kProcessBarSmooth:
      return true;
    case kProcessBarMinimum:
    case kProcessBarMaximum:
    case kProcessBarPosition:
      SendRangeAndPosition(hwnd, properties);
      return false;
  }
  return false;
}

// The subclass carries the state, and tells of the changes of the value:
// every message is the control's.
LRESULT ProcessBarProc(HWND hwnd, ProcessBar* bar, UINT message, WPARAM wParam, LPARAM lParam) {
  if (MovesTheBar(message)) return MoveTheBar(hwnd, bar, message, wParam, lParam);
  return CallWindowProcW(bar->systemProc, hwnd, message, wParam, lParam);
}

constexpr UnitOperations MakeProcessBarOperations() {
  UnitOperations operations =
      UnitClassOperations<ProcessBar>(kProcessBarDescription, CreateProcessBar, PropertyChanged);
  operations.usesCommonControls = true;
  operations.forwardsPresses = true;
  return operations;
}

}  // namespace

const UnitOperations kProcessBarUnit = MakeProcessBarOperations();
