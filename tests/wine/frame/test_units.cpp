#include "tests/wine/frame/test_units.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "frame/events.h"
#include "frame/unit_registry.h"

namespace {

const char kWindowClass[] = "MorvaneTestWindow";
const char kPadClass[] = "MorvaneTestPad";
std::string g_logPath;

struct TestUnit {
  uint32_t windowId = 0;
  uint32_t unitId = 0;
  int32_t startPosition = 0;
  bool focusesFirstUnit = false;
};

TestUnit* UnitOf(HWND hwnd) { return reinterpret_cast<TestUnit*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

void Raise(HWND hwnd, int32_t number) {
  if (TestUnit* unit = UnitOf(hwnd)) {
    EventRecord event = MakeEvent(unit->windowId, unit->unitId, number);
    RaiseEvent(event);
  }
}

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                        LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_MOVE:
      Raise(hwnd, 3);
      return 0;
    case 0x8004:
      LogLine("window told its units exist");
      return 0;
    case WM_SIZE:
      Raise(hwnd, 4);
      return 0;
    case WM_ACTIVATE:
      if (TestUnit* unit = UnitOf(hwnd);
          unit && unit->focusesFirstUnit && LOWORD(wParam) != WA_INACTIVE) {
        SetFocus(GetWindow(hwnd, GW_CHILD));
        return 0;
      }
      break;
    case WM_DESTROY:
      if (TestUnit* unit = UnitOf(hwnd)) LogLine("destroyed %08X", unsigned(unit->windowId));
      return 0;
    case WM_NCDESTROY:
      delete UnitOf(hwnd);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TestPadProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                        LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_CREATE:
      // Raised while the window is being created: never delivered.
      Raise(hwnd, 5);
      return 0;
    case WM_SIZE:
      Raise(hwnd, 5);
      return 0;
    case WM_LBUTTONDOWN:
      if (TestUnit* unit = UnitOf(hwnd)) LogLine("pad %08X saw press", unsigned(unit->unitId));
      SetFocus(hwnd);
      SetCapture(hwnd);
      return 0;
    case WM_RBUTTONDOWN:
      if (TestUnit* unit = UnitOf(hwnd)) LogLine("pad %08X saw right press", unsigned(unit->unitId));
      return 0;
    case WM_CHAR:
      if (TestUnit* unit = UnitOf(hwnd))
        LogLine("pad %08X char %d", unsigned(unit->unitId), int(wParam));
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd) ReleaseCapture();
      Raise(hwnd, 0);
      return 0;
    case kPadSumMessage:
      return LRESULT(wParam + lParam + 1000);
    case 0x806F:  // the window's units all exist
    case 0x8076:  // the window is shown
      if (TestUnit* unit = UnitOf(hwnd))
        LogLine("pad %08X %s", unsigned(unit->unitId), message == 0x806F ? "complete" : "shown");
      return 0;
    case kPadReportCursorMessage:
      LogLine("cursor hand %d arrow %d", GetCursor() == LoadCursorA(nullptr, IDC_HAND) ? 1 : 0,
              GetCursor() == LoadCursorA(nullptr, IDC_ARROW) ? 1 : 0);
      return 0;
    case kPadStrayEventMessage:
      if (TestUnit* unit = UnitOf(hwnd)) {
        // wParam 1: in the name of a window that does not exist either.
        EventRecord event = MakeEvent(wParam == 1 ? kStrayWindow : unit->windowId, kStrayUnit, 6);
        RaiseEvent(event);
      }
      return 0;
    case WM_NCDESTROY:
      delete UnitOf(hwnd);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

int32_t ReadInt32(ByteBlock block, uint32_t at) {
  int32_t value = 0;
  if (block.size >= at + 4) memcpy(&value, block.data + at, 4);
  return value;
}

HWND CreateWindowOfClass(const UnitCreateArgs& args, bool focusesFirstUnit) {
  TestUnit* unit =
      new TestUnit{args.windowId, args.unitId, ReadInt32(args.properties, 0), focusesFirstUnit};
  std::string caption;
  if (args.properties.size > 4)
    caption.assign(reinterpret_cast<const char*>(args.properties.data) + 4, args.properties.size - 4);
  int left = args.left, top = args.top;
  if (unit->startPosition == 1) {
    left = (GetSystemMetrics(SM_CXSCREEN) - args.width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - args.height) / 2;
  }
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | args.style;
  if (unit->startPosition == 2) style |= WS_MINIMIZE;
  return CreateWindowExA(0, kWindowClass, caption.c_str(), style, left, top, args.width,
                         args.height, args.parent, nullptr, GetModuleHandleA(nullptr), unit);
}

HWND CreateTestWindow(const UnitCreateArgs& args) { return CreateWindowOfClass(args, false); }
HWND CreateFocusingTestWindow(const UnitCreateArgs& args) {
  return CreateWindowOfClass(args, true);
}

// The window claims right presses on its units, as a window that is moved
// by dragging anywhere claims left ones.
bool TestWindowPreTranslate(HWND, MSG* message) {
  if (message->message != WM_RBUTTONDOWN) return false;
  LogLine("window claimed a right press");
  return true;
}

bool ReadTestWindowProperty(HWND hwnd, int unitIndex, Value* value) {
  if (unitIndex != 10) return false;
  *value = Value::Integer(IsIconic(hwnd) ? 2 : IsZoomed(hwnd) ? 3 : 0);
  return true;
}

HWND CreateTestPad(const UnitCreateArgs& args) {
  TestUnit* unit = new TestUnit{args.windowId, args.unitId, 0};
  return CreateWindowExA(0, kPadClass, "", WS_CHILD | args.style, args.left, args.top, args.width,
                         args.height, args.parent, HMENU(intptr_t(args.controlId)),
                         GetModuleHandleA(nullptr), unit);
}

// Any change of the pad's own property 0 asks for a new window.
bool PadPropertyChanged(HWND, int unitIndex, const Value&) { return unitIndex == 0; }
bool WritePadProperties(HWND, std::string* block) {
  block->clear();
  return true;
}

UnitOperations g_windowClass;
UnitOperations g_focusingWindowClass;
UnitOperations g_padClass;
UnitOperations g_silentPadClass;

}  // namespace

void SetLogPath(const char* path) { g_logPath = path; }

void LogLine(const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  int n = vsnprintf(line, sizeof line - 2, format, args);
  va_end(args);
  if (n < 0) return;
  if (n > int(sizeof line - 3)) n = int(sizeof line - 3);
  line[n++] = '\r';
  line[n++] = '\n';
  // The driver reads the log while the program runs: a moment of sharing
  // conflict must not lose a line.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 50 && file == INVALID_HANDLE_VALUE; ++attempt) {
    file = CreateFileA(g_logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Sleep(10);
  }
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line, DWORD(n), &written, nullptr);
  CloseHandle(file);
}

void RegisterTestUnitClasses() {
  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = TestWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
  WNDCLASSA padClass = windowClass;
  padClass.lpfnWndProc = TestPadProc;
  padClass.hbrBackground = HBRUSH(COLOR_HIGHLIGHT + 1);
  padClass.lpszClassName = kPadClass;
  RegisterClassA(&padClass);

  g_windowClass.name = "TestWindow";
  g_windowClass.typeReference = kTestWindowType;
  g_windowClass.create = CreateTestWindow;
  g_windowClass.readProperty = ReadTestWindowProperty;
  g_windowClass.preTranslate = TestWindowPreTranslate;
  g_windowClass.windowProc = TestWindowProc;
  RegisterUnitClass(&g_windowClass);
  g_focusingWindowClass = g_windowClass;
  g_focusingWindowClass.name = "FocusingTestWindow";
  g_focusingWindowClass.typeReference = kFocusingWindowType;
  g_focusingWindowClass.create = CreateFocusingTestWindow;
  RegisterUnitClass(&g_focusingWindowClass);
  g_padClass.name = "TestPad";
  g_padClass.typeReference = kTestPadType;
  g_padClass.create = CreateTestPad;
  g_padClass.propertyChanged = PadPropertyChanged;
  g_padClass.writeAllProperties = WritePadProperties;
  g_padClass.windowProc = TestPadProc;
  RegisterUnitClass(&g_padClass);
  g_silentPadClass = g_padClass;
  g_silentPadClass.name = "SilentPad";
  g_silentPadClass.typeReference = kSilentPadType;
  g_silentPadClass.raisesEvents = false;
  RegisterUnitClass(&g_silentPadClass);
}
