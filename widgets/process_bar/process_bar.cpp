// The progress bar (ProcessBar): a common-controls progress bar
// (msctls_progress32) showing Position within the range of Minimum and
// Maximum, given in either order. The control is subclassed only to carry
// the unit's state; it draws itself. Vertical and Smooth are window styles
// fixed at creation, so changing them re-creates the unit.
#include "widgets/process_bar/process_bar.h"

#include <commctrl.h>

#include "widgets/common/unit_look.h"
#include "widgets/process_bar/process_bar_properties.h"

namespace {

struct ProcessBar {
  ProcessBarProperties properties;
  UnitIdentity identity;
  WNDPROC controlProc = nullptr;  // the progress bar's own procedure
};

LRESULT CALLBACK ProcessBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

ProcessBar* StateOf(HWND hwnd) {
  return reinterpret_cast<ProcessBar*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

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
  SendMessageA(hwnd, PBM_SETRANGE, 0, MAKELPARAM(range.low, range.high));
  SendMessageA(hwnd, PBM_SETPOS, WPARAM(properties.position), 0);
}

// The unit operations.

HWND CreateProcessBar(const UnitCreateArgs& args) {
  ProcessBarProperties properties;
  if (!ReadProperties(args.properties, &properties)) return nullptr;
  ClampProcessBarProperties(&properties);
  HWND hwnd = CreateWindowExA(0, PROGRESS_CLASSA, "",
                              WS_CHILD | WS_CLIPSIBLINGS | StylesOf(properties) | args.style,
                              args.left, args.top, args.width, args.height, args.parent,
                              HMENU(intptr_t(args.controlId)), GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return nullptr;
  ProcessBar* state = new ProcessBar;
  state->properties = properties;
  state->identity = args.identity;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(state));
  state->controlProc = WNDPROC(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, LONG_PTR(ProcessBarProc)));
  SendRangeAndPosition(hwnd, properties);
  ApplyUnitBorder(hwnd, properties.border);
  return hwnd;
}

void* Properties(HWND hwnd) { return &StateOf(hwnd)->properties; }

bool PropertyChanged(HWND hwnd, int unitIndex, const Value&) {
  const ProcessBarProperties& properties = StateOf(hwnd)->properties;
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

// The subclass: frees the state when the control goes; everything else is
// the control's.
LRESULT CALLBACK ProcessBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ProcessBar* bar = StateOf(hwnd);
  const WNDPROC controlProc = bar->controlProc;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    delete bar;
  }
  return CallWindowProcA(controlProc, hwnd, message, wParam, lParam);
}

constexpr UnitOperations MakeProcessBarOperations() {
  UnitOperations operations;
  operations.description = &kProcessBarDescription;
  operations.create = CreateProcessBar;
  operations.properties = Properties;
  operations.propertyChanged = PropertyChanged;
  operations.usesCommonControls = true;
  operations.forwardsPresses = true;
  return operations;
}

}  // namespace

const UnitOperations kProcessBarUnit = MakeProcessBarOperations();
