#include "frame/message_loop.h"

#include <windowsx.h>

#include "frame/app_state.h"
#include "frame/events.h"
#include "frame/idle_callbacks.h"
#include "frame/unit_class.h"
#include "frame/window_list.h"
#include "services/code_page.h"
#include "services/wide_text.h"

namespace {

constexpr UINT kCaretBlinkMessage = 0x0118;
constexpr int kWheelNotch = 120;
// The idle counts of the frame's own idle work, before window idle events.
constexpr long kFirstWindowIdleCount = 2;

bool IsKeyboardMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

int32_t KeyState() {
  int32_t state = 0;
  if (GetKeyState(VK_CONTROL) < 0) state |= 1;
  if (GetKeyState(VK_SHIFT) < 0) state |= 2;
  if (GetKeyState(VK_MENU) < 0) state |= 4;
  return state;
}

// Number-pad keys raise the codes of the main keyboard's keys.
int32_t FoldedKeyCode(WPARAM wParam) {
  int32_t code = int32_t(wParam & 0xFF);
  if (code >= VK_NUMPAD0 && code <= VK_NUMPAD9) return 0x30 + (code - VK_NUMPAD0);
  if (code == VK_SUBTRACT) return 0xBD;
  if (code == VK_DECIMAL) return 0xBE;
  if (code == VK_DIVIDE) return 0xBF;
  return code;
}

// The common event of a queued message, with its arguments; false when the
// message raises none.
bool CommonEventOf(const MSG& message, EventRecord* event) {
  const int32_t x = int32_t(LOWORD(message.lParam)), y = int32_t(HIWORD(message.lParam));
  switch (message.message) {
    case WM_LBUTTONDOWN:
      *event = MakeEvent(0, 0, kEventLeftButtonDown, 3, x, y, KeyState());
      return true;
    case WM_LBUTTONUP:
      *event = MakeEvent(0, 0, kEventLeftButtonUp, 3, x, y, KeyState());
      return true;
    case WM_LBUTTONDBLCLK:
      *event = MakeEvent(0, 0, kEventLeftDoubleClick, 3, x, y, KeyState());
      return true;
    case WM_RBUTTONDOWN:
      *event = MakeEvent(0, 0, kEventRightButtonDown, 3, x, y, KeyState());
      return true;
    case WM_RBUTTONUP:
      *event = MakeEvent(0, 0, kEventRightButtonUp, 3, x, y, KeyState());
      return true;
    case WM_MOUSEMOVE:
      *event = MakeEvent(0, 0, kEventMouseMove, 3, x, y, KeyState());
      return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      *event = MakeEvent(0, 0, kEventKeyDown, 2, FoldedKeyCode(message.wParam), KeyState());
      return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      *event = MakeEvent(0, 0, kEventKeyUp, 2, FoldedKeyCode(message.wParam), KeyState());
      return true;
    case WM_MOUSEWHEEL:
      *event = MakeEvent(0, 0, kEventWheel, 2, GET_WHEEL_DELTA_WPARAM(message.wParam) / kWheelNotch,
                         KeyState());
      return true;
  }
  return false;
}

bool InSkipList(HWND hwnd) {
  for (HWND skipped : App().idleSkip)
    if (skipped == hwnd) return true;
  return false;
}

// Answers whether more idle work is wanted.
bool IdleStep(long count) {
  AppState& app = App();
  if (count == 0) {
    app.idleStartTick = GetTickCount();
    app.idleSkip.clear();
  }
  if (count < kFirstWindowIdleCount) return true;
  bool wantsMore = false;
  const int32_t elapsed = int32_t(GetTickCount() - app.idleStartTick);
  for (size_t i = 0; i < WindowList().size(); ++i) {
    WindowEntry* entry = WindowList()[i].get();
    if (!IsWindowLoaded(entry) || InSkipList(entry->live->hwnd)) continue;
    HWND hwnd = entry->live->hwnd;
    EventRecord event =
        MakeEvent(uint32_t(entry->window.identifier), uint32_t(entry->window.records[0].identifier),
                  kWindowIdle, 1, elapsed);
    if (RaiseEvent(event) && event.resultGiven && event.result != 0)
      wantsMore = true;
    else
      app.idleSkip.push_back(hwnd);
  }
  return wantsMore;
}

// Mouse moves that do not move, the caret's blink and painting do not end
// the idle period.
bool RestartsIdling(const MSG& message, POINT* lastMouse, UINT* lastMouseMessage) {
  switch (message.message) {
    case WM_PAINT:
    case kCaretBlinkMessage:
      return false;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
      const bool same = message.message == *lastMouseMessage && message.pt.x == lastMouse->x &&
                        message.pt.y == lastMouse->y;
      *lastMouse = message.pt;
      *lastMouseMessage = message.message;
      return !same;
    }
  }
  return true;
}

// Whether `hwnd` is still the window of `unit`: a handler may have destroyed
// the unit or given it a new window.
bool StillUnitWindow(UnitIdentity unit, HWND hwnd) {
  const UnitLocation at = LocateUnit(unit);
  return at.unit && at.unit->hwnd == hwnd;
}

// A typed character. The windows are wide, so WM_CHAR carries a UTF-16 unit;
// the character event carries what a program of code page 936 is given, the
// code-page-936 bytes of that character one event each, lead byte first, as
// the ANSI entry points hand them over on such a system ("?" for a unit with
// no code-page-936 form). A handler's result replaces its byte by the
// character of that code (services/code_page.h), 0 drops it. Unless a
// handler answered, the window gets the message as it came; otherwise the
// bytes that are left, as the characters they make, or nothing. True when
// the message has been dealt with here.
bool RaiseCharacterEvents(MSG* message, UnitIdentity unit) {
  const wchar_t character = wchar_t(message->wParam);
  const Text typed = TextOfWide(&character, 1);
  Text delivered;
  bool answered = false;
  for (const char byte : typed) {
    EventRecord event =
        MakeEvent(unit.window, unit.unit, kEventCharacter, 1, int32_t(uint8_t(byte)));
    if (RaiseEvent(event) && event.resultGiven) {
      answered = true;
      delivered += CharacterCodeBytes(event.result);
    } else {
      delivered += byte;
    }
    // A handler may have taken the unit away.
    if (!StillUnitWindow(unit, message->hwnd)) return true;
  }
  if (!answered) return false;
  const WideText characters(delivered);
  for (int i = 0; i < characters.Length(); ++i) {
    MSG one = *message;
    one.wParam = WPARAM(characters.c_str()[i]);
    DispatchMessageW(&one);
  }
  return true;
}

}  // namespace

bool PreTranslate(MSG* message) {
  // The unit whose window took the message, or the one it lies inside: the
  // only look-up by handle a message costs.
  const UnitLocation around = UnitAround(message->hwnd);
  if (!around.unit) return false;
  const LiveUnit& windowSlot = around.window->live->units[0];
  HWND window = windowSlot.hwnd;
  const UnitOperations* windowClass = windowSlot.operations;
  // A disabled window takes no keys.
  if (IsKeyboardMessage(message->message) && !IsWindowEnabled(window)) return true;
  const UnitIdentity unit = around.Identity();
  const UnitOperations* target =
      around.unit->hwnd == message->hwnd ? around.unit->operations : nullptr;
  // The unit's class first, then the window's conveniences. Either may run
  // handlers that change the window list: the unit is found again after, by
  // its identifiers.
  if (target && target->preTranslate) {
    if (target->preTranslate(message->hwnd, message, target)) return true;
    if (!StillUnitWindow(unit, message->hwnd)) target = nullptr;
  }
  if (window != message->hwnd && IsWindow(window) && windowClass->preTranslate &&
      windowClass->preTranslate(window, message, target))
    return true;
  // The common events of the unit whose window took the message.
  if (!target || !StillUnitWindow(unit, message->hwnd)) return false;
  if (message->message == WM_CHAR) return RaiseCharacterEvents(message, unit);
  EventRecord event;
  if (!CommonEventOf(*message, &event)) return false;
  event.window = unit.window;
  event.unit = unit.unit;
  if (!RaiseEvent(event) || !event.resultGiven) return false;
  return event.result == 0;
}

bool HandleNextMessage(MSG* message) {
  if (GetMessageW(message, nullptr, 0, 0) <= 0) {
    // GetMessage fails (-1) only for a bad window filter; there is none, so
    // treat it like the end rather than spin.
    if (message->message != WM_QUIT) message->wParam = 0;
    message->message = WM_QUIT;
    return false;
  }
  if (!PreTranslate(message)) {
    TranslateMessage(message);
    DispatchMessageW(message);
  }
  return true;
}

int RunMainMessageLoop() {
  AppState& app = App();
  if (!AnyWindowLoaded()) return 0;
  app.loopStarted = true;
  MSG message{};
  POINT lastMouse{-1, -1};
  UINT lastMouseMessage = 0;
  long idleCount = 0;
  bool idling = true;
  for (;;) {
    while (idling && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      CallIdleCallbacks();
      if (!IdleStep(idleCount++)) idling = false;
    }
    if (!HandleNextMessage(&message)) return int(message.wParam);
    if (RestartsIdling(message, &lastMouse, &lastMouseMessage)) {
      idling = true;
      idleCount = 0;
    }
  }
}

void RunLoopUntilDestroyed(HWND window) {
  MSG message{};
  while (IsWindow(window)) {
    if (!HandleNextMessage(&message)) {
      PostQuitMessage(int(message.wParam));
      return;
    }
  }
}
