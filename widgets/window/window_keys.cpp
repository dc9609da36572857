// The window's pre-translation: what a window does with a queued message
// for itself or one of its units before the frame raises the unit's common
// events and dispatches it. A press moves a window that drags anywhere; the
// keyboard conveniences move the focus (Tab, Enter, arrows), close the
// window (Esc), open its help (F1) and act on mnemonics (Alt + character).
// The frame drops key messages of a disabled window before any of this, and
// a unit class may claim a message before its window sees it.
#include <cstring>
#include <cwchar>

#include "services/code_page.h"
#include "services/wide_text.h"
#include "widgets/window/window_state.h"

namespace {

bool KeyHeld(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// DragAnywhere: a press on a unit of a class that forwards presses moves the
// window instead (StartWindowDrag, window.cpp). A press on the window itself
// goes on as a press, and moves the window once it reaches the window's
// procedure.
bool PreTranslatePress(HWND window, const WindowUnit& state, const MSG& message,
                       const UnitOperations* unit) {
  if (!state.properties.dragAnywhere || message.hwnd == window) return false;
  if (!unit || !unit->forwardsPresses) return false;
  StartWindowDrag(window, message.pt);
  return true;
}

// The window of the window's units that has the focus, or nullptr when the
// focus is on the window itself or elsewhere.
HWND FocusedUnit(HWND window) {
  HWND focus = GetFocus();
  return focus && focus != window && IsChild(window, focus) ? focus : nullptr;
}

// What the control wants of the keyboard (DLGC_*), asked as the dialog
// manager asks it.
UINT DialogCode(HWND control, const MSG& message) {
  MSG copy = message;
  return UINT(SendMessageW(control, WM_GETDLGCODE, copy.wParam, reinterpret_cast<LPARAM>(&copy)));
}

// The keyboard is in use: the window's units show their focus cues (and,
// after Alt, their access keys) from now on, as in a dialog.
void ShowKeyboardCues(HWND window, WORD cues) {
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, cues), 0);
}

void GiveFocus(HWND unit, const MSG& message) {
  ShowKeyboardCues(GetAncestor(unit, GA_ROOT), UISF_HIDEFOCUS);
  SetFocus(unit);
  // An edit box entered from the keyboard has its whole text selected.
  if (DialogCode(unit, message) & DLGC_HASSETSEL) SendMessageW(unit, EM_SETSEL, 0, -1);
}

// Tab order: the units with a tab stop, through containers that hold them.
// Consumes the key even when there is nowhere to go, as a dialog does.
bool MoveFocusInTabOrder(HWND window, const MSG& message, bool backwards) {
  HWND focus = FocusedUnit(window);
  if (focus && (DialogCode(focus, message) & DLGC_WANTTAB)) return false;
  HWND next;
  if (focus) {
    next = GetNextDlgTabItem(window, focus, backwards ? TRUE : FALSE);
  } else {
    // From the window itself: Tab goes to the first tab stop, Shift+Tab to
    // the last, the one before the first (Wine answers nothing when asked
    // for the one before no control).
    next = GetNextDlgTabItem(window, nullptr, FALSE);
    if (next && backwards) next = GetNextDlgTabItem(window, next, TRUE);
  }
  if (next && next != focus) GiveFocus(next, message);
  return true;
}

// Arrows move within the focused unit's group: the siblings from one with
// WS_GROUP up to the next one with it (all of them when none has it), as
// the dialog manager counts groups. A unit that wants the arrows keeps them.
bool MoveFocusInGroup(HWND window, const MSG& message, bool backwards) {
  HWND focus = FocusedUnit(window);
  if (!focus || (DialogCode(focus, message) & (DLGC_WANTARROWS | DLGC_WANTALLKEYS))) return false;
  HWND next = GetNextDlgGroupItem(window, focus, backwards ? TRUE : FALSE);
  if (!next || next == focus) return false;
  GiveFocus(next, message);
  return true;
}

struct DefaultButtonSearch {
  HWND found = nullptr;
};

BOOL CALLBACK FindDefaultButton(HWND candidate, LPARAM parameter) {
  auto* search = reinterpret_cast<DefaultButtonSearch*>(parameter);
  if (!IsWindowVisible(candidate) || !IsWindowEnabled(candidate)) return TRUE;
  if (!(SendMessageW(candidate, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) return TRUE;
  search->found = candidate;
  return FALSE;
}

// Enter: a unit that wants it keeps it (a multi-line edit box); a focused
// push button is pressed; with EnterMovesFocus the focus moves on;
// otherwise the first unit, in the window's order, that says it is the
// default button (DLGC_DEFPUSHBUTTON) is pressed. Nothing found: the key
// goes on to the focused unit.
bool PressEnter(HWND window, const WindowUnit& state, const MSG& message) {
  HWND focus = FocusedUnit(window);
  if (focus) {
    const UINT code = DialogCode(focus, message);
    if (code & DLGC_WANTALLKEYS) return false;
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
      SendMessageW(focus, BM_CLICK, 0, 0);
      return true;
    }
  }
  if (state.properties.enterMovesFocus) return MoveFocusInTabOrder(window, message, false);
  DefaultButtonSearch search;
  EnumChildWindows(window, FindDefaultButton, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return false;
  SendMessageW(search.found, BM_CLICK, 0, 0);
  return true;
}

// The help file of a window without one of its own: the program's path with
// the extension ".hlp", as Windows names the path. Brought home as a text it
// could best-fit into another user's folder, and open a help file there.
WidePath DefaultHelpFile() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return WidePath();
  WidePath file = WidePath::OfUnits(path, length);
  const size_t slash = file.LastBackslash();
  const size_t nameStart = slash == file.Length() ? 0 : slash + 1;
  const wchar_t* dot = wcsrchr(file.c_str() + nameStart, L'.');
  if (dot) file = file.Head(size_t(dot - file.c_str()));
  return file + ".hlp";
}

bool OpenHelp(HWND window, const WindowUnit& state) {
  if (!state.properties.f1OpensHelp) return false;
  const WidePath file =
      state.properties.helpFile.empty() ? DefaultHelpFile() : WidePath(state.properties.helpFile);
  const DWORD attributes =
      file.Empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  const int32_t context = state.properties.helpContext;
  WinHelpW(window, file.c_str(), context ? HELP_CONTEXT : HELP_FINDER, ULONG_PTR(context));
  return true;
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Whether `caption` has an ampersand before `key` (an upper-case letter or
// a digit). "&&" is a literal ampersand; two-byte characters are passed
// whole, so that their second byte is never taken for "&".
bool HasMnemonic(const Text& caption, char key) {
  for (size_t i = 0; i < caption.size(); ++i) {
    if (IsLeadByte(caption[i])) {
      ++i;
      continue;
    }
    if (caption[i] != '&' || i + 1 >= caption.size()) continue;
    ++i;
    if (caption[i] != '&' && !IsLeadByte(caption[i]) && UpperAscii(caption[i]) == key) return true;
    if (IsLeadByte(caption[i])) ++i;
  }
  return false;
}

// The unit's Caption property, or false for a class without one.
bool CaptionOf(HWND unit, Text* caption) {
  const UnitOperations* operations = UnitOperationsOf(unit);
  if (!operations || !operations->properties) return false;
  const PropertyField* field = FieldNamed(*operations->description, "Caption");
  if (!field || !field->InRecord()) return false;
  const Value value = field->Get(operations->properties(unit));
  if (value.type != ValueType::Text) return false;
  *caption = value.text;
  return true;
}

struct MnemonicSearch {
  char key = 0;
  HWND found = nullptr;
};

BOOL CALLBACK FindMnemonicUnit(HWND candidate, LPARAM parameter) {
  auto* search = reinterpret_cast<MnemonicSearch*>(parameter);
  Text caption;
  if (!IsWindowVisible(candidate) || !IsWindowEnabled(candidate) ||
      !CaptionOf(candidate, &caption) || !HasMnemonic(caption, search->key))
    return TRUE;
  search->found = candidate;
  return FALSE;
}

bool IsClass(HWND unit, const char* name) {
  const UnitOperations* operations = UnitOperationsOf(unit);
  return operations && strcmp(operations->description->name, name) == 0;
}

// The unit after `unit` in its container's order that can take the focus.
HWND UnitAfter(HWND unit) {
  for (HWND next = GetWindow(unit, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
    if (IsWindowVisible(next) && IsWindowEnabled(next)) return next;
  return nullptr;
}

// Alt + letter or digit: the first visible, enabled unit whose caption
// holds the mnemonic acts. A check box toggles (as a click, which raises its
// event 0), a label gives the focus to the unit after it, any other unit
// takes the focus.
bool ActOnMnemonic(HWND window, const MSG& message) {
  const WPARAM key = message.wParam;
  if (KeyHeld(VK_CONTROL) || !((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')))
    return false;
  MnemonicSearch search;
  search.key = char(key);
  EnumChildWindows(window, FindMnemonicUnit, reinterpret_cast<LPARAM>(&search));
  HWND unit = search.found;
  if (!unit) return false;
  ShowKeyboardCues(window, UISF_HIDEFOCUS | UISF_HIDEACCEL);
  if (IsClass(unit, "CheckBox")) {
    SetFocus(unit);
    SendMessageW(unit, BM_CLICK, 0, 0);
  } else if (IsClass(unit, "Label")) {
    if (HWND next = UnitAfter(unit)) GiveFocus(next, message);
  } else {
    GiveFocus(unit, message);
  }
  return true;
}

constexpr LPARAM kAltHeldBit = LPARAM(1) << 29;

bool PreTranslateKey(HWND window, const WindowUnit& state, const MSG& message) {
  if (message.message == WM_SYSKEYDOWN)
    return (message.lParam & kAltHeldBit) && ActOnMnemonic(window, message);
  switch (message.wParam) {
    case VK_TAB:
      if (KeyHeld(VK_CONTROL) || KeyHeld(VK_MENU)) return false;
      return MoveFocusInTabOrder(window, message, KeyHeld(VK_SHIFT));
    case VK_RETURN:
      return PressEnter(window, state, message);
    case VK_ESCAPE:
      // Whichever unit has the focus: the window's close runs its events.
      if (!state.properties.escCloses) return false;
      SendMessageW(window, WM_CLOSE, 0, 0);
      return true;
    case VK_F1:
      return OpenHelp(window, state);
    case VK_LEFT:
    case VK_UP:
      return MoveFocusInGroup(window, message, true);
    case VK_RIGHT:
    case VK_DOWN:
      return MoveFocusInGroup(window, message, false);
  }
  return false;
}

}  // namespace

bool PreTranslateWindowMessage(HWND window, MSG* message, const UnitOperations* target) {
  const WindowUnit* state = WindowStateOf(window);
  if (!state) return false;
  switch (message->message) {
    case WM_LBUTTONDOWN:
      return PreTranslatePress(window, *state, *message, target);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return PreTranslateKey(window, *state, *message);
  }
  return false;
}
