// The edit box (EditBox): a system EDIT control, single-line or multi-line,
// with the unit's colours, font, border, input filter and an optional
// up-down companion. The system draws the text; the unit gives it its
// colours through the reflected colour messages and, for a single line,
// keeps the text vertically centred in the box and paints the bands above
// and below it in the background colour.
//
// Event 0 is raised once for every change of the text: each edit of the
// user, and each Content the program sets (once the new text is in place).
#include "widgets/edit_box/edit_box.h"

#include <utility>

#include "services/wide_text.h"
#include "texts/unit_defaults.h"
#include "widgets/common/reflection.h"
#include "widgets/common/system_control.h"
#include "widgets/common/unit_look.h"
#include "widgets/edit_box/edit_box_spin.h"
#include "widgets/edit_box/edit_box_text.h"

namespace {

const char kSystemClassName[] = "EDIT";
// A single-line box is made at least as tall as one CJK character
// (kTallCharacter) with its edges.
// The letter whose height a single line of text is given.
const char kLineLetter[] = "W";

// The character that a code-page-936 byte stands for on its own, as the
// control takes a character: a byte from 0x80 up, half of a two-byte
// character, stands for the replacement character.
wchar_t CharacterOfByte(char byte) {
  const WideText character(&byte, 1);
  return character.Empty() ? L'?' : character.c_str()[0];
}
constexpr char kDefaultPasswordChar = '*';

struct EditBox : UnitState<EditBoxProperties> {
  WNDPROC systemProc = nullptr;
  UnitFont font;
  BrushOwner backBrush;
  HWND spin = nullptr;
  int lineHeight = 0;  // of kLineLetter in the font
  // Set while the program's Content goes in: the control's own change
  // notifications then raise nothing; one follows once the text is in.
  bool settingContent = false;
};

LRESULT EditBoxProc(HWND hwnd, EditBox* box, UINT message, WPARAM wParam, LPARAM lParam);

EditBox* StateOf(HWND hwnd) { return UnitStateOf<EditBox>(hwnd); }

bool IsSingleLine(const EditBox& box) { return !box.properties.multiLine; }

// The style of a choice whose values 1 and 2 have one; 0 and the others
// have none.
DWORD ChoiceStyle(int32_t choice, DWORD first, DWORD second) {
  return choice == 1 ? first : choice == 2 ? second : 0;
}

DWORD EditStyle(const EditBoxProperties& properties) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (!properties.hideSelection) style |= ES_NOHIDESEL;
  if (properties.multiLine) {
    // Without a horizontal scroll bar the lines wrap at the box's width.
    style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (properties.scrollBars & 1) style |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (properties.scrollBars & 2) style |= WS_VSCROLL;
  } else {
    style |= ES_AUTOHSCROLL;
  }
  // Input modes 3 and up are filters (edit_box_text.h), with no style.
  return style | ChoiceStyle(properties.textAlign, ES_CENTER, ES_RIGHT) |
         ChoiceStyle(properties.letterCase, ES_LOWERCASE, ES_UPPERCASE) |
         ChoiceStyle(properties.inputMode, ES_READONLY, ES_PASSWORD);
}

// The echo character of password mode: the first byte of PasswordChar. An
// empty PasswordChar would show the password itself; it echoes the default.
char PasswordCharOf(const EditBoxProperties& properties) {
  const char first = char(properties.passwordChar & 0xFF);
  return first ? first : kDefaultPasswordChar;
}

CharacterRange LiveSelection(HWND hwnd) {
  DWORD start = 0, end = 0;
  SendMessageW(hwnd, EM_GETSEL, WPARAM(&start), LPARAM(&end));
  return CharacterRange{int32_t(start), int32_t(end)};
}

void Select(HWND hwnd, int32_t selStart, int32_t selLength) {
  const CharacterRange range = SelectionOf(selStart, selLength, CharacterCount(WindowText(hwnd)));
  SendMessageW(hwnd, EM_SETSEL, WPARAM(range.start), LPARAM(range.end));
  SendMessageW(hwnd, EM_SCROLLCARET, 0, 0);
}

// Recomputes the client area (the centring of a single line) and redraws
// the frame.
void FrameChanged(HWND hwnd) {
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The font of the Font property into the control, with what depends on it:
// the height of a single line, the least height of a single-line box, and
// the room for the up-down's arrows.
void ApplyFont(HWND hwnd, EditBox* box) {
  GiveControlFont(hwnd, &box->font, box->properties.font);
  SIZE letter{}, tall{};
  if (HDC screen = GetDC(nullptr)) {
    {
      Selected font(screen, box->font.Get());
      const WideText line(kLineLetter), tallCharacter(kTallCharacter);
      GetTextExtentPoint32W(screen, line.c_str(), line.Length(), &letter);
      GetTextExtentPoint32W(screen, tallCharacter.c_str(), tallCharacter.Length(), &tall);
    }
    ReleaseDC(nullptr, screen);
  }
  box->lineHeight = letter.cy;
  if (IsSingleLine(*box)) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    const int least = tall.cy + 2 * GetSystemMetrics(SM_CYEDGE);
    if (rect.bottom - rect.top < least)
      SetWindowPos(hwnd, nullptr, 0, 0, rect.right - rect.left, least,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (box->spin) ReserveSpinMargin(hwnd, box->properties.spinButton);
}

void ApplyInputMode(HWND hwnd, EditBox* box) {
  const EditBoxProperties& properties = box->properties;
  SendMessageW(hwnd, EM_SETPASSWORDCHAR,
               properties.inputMode == 2 ? WPARAM(CharacterOfByte(PasswordCharOf(properties))) : 0,
               0);
  SendMessageW(hwnd, EM_SETREADONLY, properties.inputMode == 1, 0);
  InvalidateRect(hwnd, nullptr, TRUE);
}

// The program's Content: in place first, then one change.
void SetContent(HWND hwnd, EditBox* box, const Text& text) {
  box->settingContent = true;
  SetWindowTextTo(hwnd, text);
  box->settingContent = false;
  // As the control would tell its parent, so that the change is raised as
  // every other is. The unit may be gone once it returns.
  SendMessageW(hwnd, kReflectedCommand, MAKEWPARAM(GetDlgCtrlID(hwnd), EN_CHANGE), LPARAM(hwnd));
}

// Fills the bands above and below a single line of text (the non-client
// area between the border and the narrowed client area) with the brush.
void PaintCentringBands(HWND hwnd, const EditBox& box) {
  RECT window{};
  GetWindowRect(hwnd, &window);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  RECT client{};
  GetClientRect(hwnd, &client);
  OffsetRect(&client, origin.x - window.left, origin.y - window.top);
  // The borders are as wide at the top and bottom as at the sides, and the
  // client area keeps the box's whole width.
  const int border = client.left;
  const RECT inner{client.left, border, client.right, window.bottom - window.top - border};
  HDC hdc = GetWindowDC(hwnd);
  if (!hdc) return;
  ExcludeClipRect(hdc, client.left, client.top, client.right, client.bottom);
  FillRect(hdc, &inner, box.backBrush.Get());
  ReleaseDC(hwnd, hdc);
}

// --- Message handlers ------------------------------------------------------

// A typed character (a UTF-16 unit): the input mode's filter decides whether
// the control sees it.
LRESULT OnChar(HWND hwnd, EditBox* box, WPARAM wParam, LPARAM lParam) {
  if (!AcceptsCharacter(box->properties.inputMode, uint32_t(wParam))) return 0;
  return CallWindowProcW(box->systemProc, hwnd, WM_CHAR, wParam, lParam);
}

// The client area is computed: a single line of text is centred vertically
// in what the border leaves.
LRESULT OnNcCalcSize(HWND hwnd, EditBox* box, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcW(box->systemProc, hwnd, WM_NCCALCSIZE, wParam, lParam);
  if (!IsSingleLine(*box)) return result;
  RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                        : reinterpret_cast<RECT*>(lParam);
  const int available = client->bottom - client->top;
  if (available > box->lineHeight) {
    client->top += (available - box->lineHeight) / 2;
    client->bottom = client->top + box->lineHeight;
  }
  return result;
}

// The border is drawn: a single-line box paints its bands after it.
LRESULT OnNcPaint(HWND hwnd, EditBox* box, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcW(box->systemProc, hwnd, WM_NCPAINT, wParam, lParam);
  if (IsSingleLine(*box)) PaintCentringBands(hwnd, *box);
  return result;
}

// The background is erased: a single-line box fills it with its brush; a
// multi-line box leaves it to the control.
LRESULT OnEraseBackground(HWND hwnd, EditBox* box, WPARAM wParam, LPARAM lParam) {
  if (!IsSingleLine(*box))
    return CallWindowProcW(box->systemProc, hwnd, WM_ERASEBKGND, wParam, lParam);
  RECT client{};
  GetClientRect(hwnd, &client);
  FillRect(HDC(wParam), &client, box->backBrush.Get());
  return 1;
}

// The control asks its parent for its colours; the parent asks the unit.
LRESULT OnReflectedColour(EditBox* box, WPARAM wParam) {
  HDC hdc = HDC(wParam);
  SetTextColor(hdc, COLORREF(box->properties.textColor));
  SetBkColor(hdc, ColourOrDefault(box->properties.backColor));
  return LRESULT(box->backBrush.Get());
}

// The control told its parent of a change, and the parent told the unit.
LRESULT OnReflectedCommand(EditBox* box, WPARAM wParam) {
  if (HIWORD(wParam) == EN_CHANGE && !box->settingContent) RaiseUnitEvent(box->identity, 0);
  return 0;
}

// The box moved, was resized, shown, hidden or put under another parent:
// its arrows follow.
LRESULT OnWindowPosChanged(HWND hwnd, EditBox* box, WPARAM wParam, LPARAM lParam) {
  const LRESULT result =
      CallWindowProcW(box->systemProc, hwnd, WM_WINDOWPOSCHANGED, wParam, lParam);
  if (box->spin) PlaceSpin(hwnd, box->spin, box->properties.spinButton);
  return result;
}

// The box is shown or hidden. While its window is still hidden, showing it
// only sets its style: no position change tells the arrows.
LRESULT OnShowWindow(HWND hwnd, EditBox* box, WPARAM wParam, LPARAM lParam) {
  if (box->spin) ShowWindow(box->spin, wParam ? SW_SHOWNA : SW_HIDE);
  return CallWindowProcW(box->systemProc, hwnd, WM_SHOWWINDOW, wParam, lParam);
}

// The box is enabled or disabled: so are its arrows.
LRESULT OnEnable(HWND hwnd, EditBox* box, WPARAM wParam, LPARAM lParam) {
  if (box->spin) EnableWindow(box->spin, BOOL(wParam));
  return CallWindowProcW(box->systemProc, hwnd, WM_ENABLE, wParam, lParam);
}

// The frame has built the window (and moved units into their containers).
LRESULT OnCreationComplete(HWND hwnd, EditBox* box) {
  if (box->spin) PlaceSpin(hwnd, box->spin, box->properties.spinButton);
  return 0;
}

// The box goes: its arrows go with it.
LRESULT OnDestroy(HWND hwnd, EditBox* box, WPARAM wParam, LPARAM lParam) {
  if (box->spin && IsWindow(box->spin)) DestroyWindow(box->spin);
  box->spin = nullptr;
  return CallWindowProcW(box->systemProc, hwnd, WM_DESTROY, wParam, lParam);
}

// --- Unit operations ---------------------------------------------------------

HWND CreateEditBox(const UnitCreateArgs& args) {
  std::unique_ptr<EditBox> state = NewUnitState<EditBox>(kEditBoxDescription, args);
  if (!state) return nullptr;
  MakeBackBrush(&state->backBrush, state->properties.backColor);
  const EditBoxProperties& properties = state->properties;
  UnitWindowStyle style;
  style.text = properties.content.c_str();
  style.style = EditStyle(properties);
  EditBox* box = state.get();
  HWND hwnd =
      CreateSystemControl<EditBox, EditBoxProc>(kSystemClassName, args, style, std::move(state));
  if (!hwnd) return nullptr;
  ApplyFont(hwnd, box);
  SendMessageW(hwnd, EM_LIMITTEXT, WPARAM(properties.maxLength), 0);
  if (properties.inputMode == 2)
    SendMessageW(hwnd, EM_SETPASSWORDCHAR, WPARAM(CharacterOfByte(PasswordCharOf(properties))), 0);
  if (IsSingleLine(*box) &&
      (properties.spinButton == kSpinRight || properties.spinButton == kSpinLeft))
    box->spin = CreateSpin(hwnd, properties.spinButton, properties.spinMin, properties.spinMax);
  Select(hwnd, properties.selStart, properties.selLength);
  ApplyUnitBorder(hwnd, properties.border);
  return hwnd;
}

bool PropertyChanged(HWND hwnd, int unitIndex, const Value& value) {
  EditBox* box = StateOf(hwnd);
  EditBoxProperties& properties = box->properties;
  switch (unitIndex) {
    case kEditBoxContent:
      SetContent(hwnd, box, properties.content);
      return false;
    case kEditBoxBorder:
      // The arrows follow the new border when the frame change moves it.
      ApplyUnitBorder(hwnd, properties.border);
      return false;
    case kEditBoxTextColor:
      InvalidateRect(hwnd, nullptr, TRUE);
      return false;
    case kEditBoxBackColor:
      MakeBackBrush(&box->backBrush, properties.backColor);
      RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
      return false;
    case kEditBoxFont:
      ApplyFont(hwnd, box);
      FrameChanged(hwnd);
      return false;
    case kEditBoxMaxLength:
      SendMessageW(hwnd, EM_LIMITTEXT, WPARAM(properties.maxLength), 0);
      return false;
    case kEditBoxInputMode:
      ApplyInputMode(hwnd, box);
      return false;
    case kEditBoxPasswordChar:
      if (properties.inputMode == 2) ApplyInputMode(hwnd, box);
      return false;
    case kEditBoxSpinMin:
    case kEditBoxSpinMax:
      if (box->spin) SetSpinRange(box->spin, properties.spinMin, properties.spinMax);
      return false;
    case kEditBoxSelStart:
    case kEditBoxSelLength:
      // Either selects from SelStart over SelLength, as at creation: a new
      // start keeps the length, a new length keeps the start.
      Select(hwnd, properties.selStart, properties.selLength);
      return false;
    case kEditBoxSelText:
      // The control reports the replacement as a change of its own.
      SendMessageW(hwnd, EM_REPLACESEL, TRUE, LPARAM(WideText(value.text).c_str()));
      return false;
    case kEditBoxHideSelection:
    case kEditBoxMultiLine:
    case kEditBoxScrollBars:
    case kEditBoxTextAlign:
    case kEditBoxLetterCase:
    case kEditBoxSpinButton:
      return true;
    default:
      return false;
  }
}

bool ReadLiveProperty(HWND hwnd, int unitIndex, Value* value) {
  switch (unitIndex) {
    case kEditBoxContent:
      *value = Value::OfText(WindowText(hwnd));
      return true;
    case kEditBoxSelStart:
      *value = Value::Integer(LiveSelection(hwnd).start);
      return true;
    case kEditBoxSelLength: {
      const CharacterRange range = LiveSelection(hwnd);
      *value = Value::Integer(range.end - range.start);
      return true;
    }
    case kEditBoxSelText: {
      const CharacterRange range = LiveSelection(hwnd);
      *value = Value::OfText(CharactersBetween(WindowText(hwnd), range.start, range.end));
      return true;
    }
    default:
      return false;
  }
}

// The class's procedure in front of the system's (widgets/common/
// system_control.h).
LRESULT EditBoxProc(HWND hwnd, EditBox* box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      return OnChar(hwnd, box, wParam, lParam);
    case WM_NCCALCSIZE:
      return OnNcCalcSize(hwnd, box, wParam, lParam);
    case WM_NCPAINT:
      return OnNcPaint(hwnd, box, wParam, lParam);
    case WM_ERASEBKGND:
      return OnEraseBackground(hwnd, box, wParam, lParam);
    case kReflectedCtlColorEdit:
    case kReflectedCtlColorStatic:
      return OnReflectedColour(box, wParam);
    case kReflectedCommand:
      return OnReflectedCommand(box, wParam);
    case WM_WINDOWPOSCHANGED:
      return OnWindowPosChanged(hwnd, box, wParam, lParam);
    case WM_SHOWWINDOW:
      return OnShowWindow(hwnd, box, wParam, lParam);
    case WM_ENABLE:
      return OnEnable(hwnd, box, wParam, lParam);
    case kMsgCreationComplete:
      return OnCreationComplete(hwnd, box);
    case WM_DESTROY:
      return OnDestroy(hwnd, box, wParam, lParam);
    default:
      return CallWindowProcW(box->systemProc, hwnd, message, wParam, lParam);
  }
}

}  // namespace

const UnitOperations kEditBoxUnit = UnitClassOperations<EditBox>(kEditBoxDescription, CreateEditBox,
                                                                 PropertyChanged, ReadLiveProperty);
