#include "tests/wine/controls/reflecting_window/reflecting_window.h"

#include <windows.h>

#include <utility>

#include "services/code_page.h"
#include "tests/wine/controls/control_ids.h"
#include "tests/wine/frame/test_window/test_window_properties.h"
#include "widgets/common/property_fields.h"
#include "widgets/common/reflection.h"
#include "widgets/common/unit_window.h"

namespace {

const char kClassName[] = "MorvaneReflectingWindow";

// The test window's properties and block.
const UnitDescription kDescription =
    Describe<TestWindowProperties>("ReflectingWindow", kReflectingWindowType, kTestWindowFields, 1);

struct ReflectingWindow : UnitState<TestWindowProperties> {};

char Folded(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Whether `caption` marks `key` (a letter or digit) with an ampersand.
bool HasMnemonic(const char* caption, char key) {
  for (const char* p = caption; *p; ++p) {
    if (IsLeadByte(*p)) {
      if (!p[1]) return false;
      ++p;
    } else if (*p == '&' && p[1]) {
      if (p[1] != '&' && Folded(p[1]) == key) return true;
      ++p;
    }
  }
  return false;
}

struct MnemonicSearch {
  char key;
  HWND found;
};

BOOL CALLBACK FindMnemonic(HWND child, LPARAM lParam) {
  MnemonicSearch* search = reinterpret_cast<MnemonicSearch*>(lParam);
  wchar_t className[16] = {};
  if (!IsWindowVisible(child) || !IsWindowEnabled(child)) return TRUE;
  GetClassNameW(child, className, 16);
  if (lstrcmpiW(className, L"Button") != 0 || !HasMnemonic(WindowText(child).c_str(), search->key))
    return TRUE;
  search->found = child;
  return FALSE;
}

LRESULT ReflectingWindowProc(HWND hwnd, ReflectingWindow* state, UINT message, WPARAM wParam,
                             LPARAM lParam) {
  LRESULT reflected = 0;
  if (ReflectToControl(hwnd, message, wParam, lParam, &reflected)) return reflected;
  switch (message) {
    case kMsgRunStep:
      RaiseUnitEvent(state->identity, kStepEvent, 1, int32_t(wParam));
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

HWND CreateReflectingWindow(const UnitCreateArgs& args) {
  std::unique_ptr<ReflectingWindow> state = NewUnitState<ReflectingWindow>(kDescription, args);
  if (!state) return nullptr;
  const UnitCreateArgs placed = TestWindowPlace(args, state->properties);
  UnitWindowStyle style;
  style.text = state->properties.caption.c_str();
  style.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  return CreateUnitWindow<ReflectingWindow, ReflectingWindowProc>(TestWindowClass(kClassName),
                                                                  placed, style, std::move(state));
}

// Alt with a letter or digit clicks the first visible, enabled button whose
// caption marks it, as the product's window does for a check box.
bool PreTranslate(HWND hwnd, MSG* message, const UnitOperations*) {
  if (message->message != WM_SYSKEYDOWN || !(message->lParam & (1 << 29))) return false;
  const char key = char(message->wParam);
  if (!((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) return false;
  MnemonicSearch search{key, nullptr};
  EnumChildWindows(hwnd, FindMnemonic, LPARAM(&search));
  if (!search.found) return false;
  SendMessageW(search.found, BM_CLICK, 0, 0);
  return true;
}

constexpr UnitOperations MakeOperations() {
  UnitOperations operations =
      UnitClassOperations<ReflectingWindow>(kDescription, CreateReflectingWindow, nullptr);
  operations.preTranslate = PreTranslate;
  operations.isContainer = true;
  return operations;
}

}  // namespace

const UnitOperations kReflectingWindowUnit = MakeOperations();
