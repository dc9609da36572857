// The check box (CheckBox): a system BUTTON with the auto-check-box style,
// which toggles itself on a click, showing its caption or, when its Picture
// decodes, that picture instead. The system draws it; the unit gives it its
// colours through the reflected colour messages.
//
// Event 0 is raised once for every toggle by the user: a click, the space
// bar, or the BM_CLICK that the window sends for an Alt mnemonic. The
// system tells the parent (BN_CLICKED) after it has toggled the state, so a
// handler reading Checked sees the new state. A screen reader's default
// action clicks it as the mouse does, and hears of each change of the state.
#include "widgets/check_box/check_box.h"

#include <utility>

#include "texts/accessible.h"
#include "widgets/check_box/check_box_picture.h"
#include "widgets/common/accessible.h"
#include "widgets/common/reflection.h"
#include "widgets/common/system_control.h"
#include "widgets/common/unit_look.h"

namespace {

const char kSystemClassName[] = "BUTTON";
// The style bits that the unit's own properties set.
constexpr DWORD kPropertyStyles = BS_PUSHLIKE | BS_FLAT | BS_LEFTTEXT | BS_CENTER | BS_VCENTER;

struct CheckBox : UnitState<CheckBoxProperties> {
  // A check button to screen readers, named by its caption and toggled as
  // a click toggles it.
  static const AccessibleFacts kAccessible;
  WNDPROC systemProc = nullptr;
  // The check state that screen readers were last told of: the control
  // tells them of no change itself.
  LRESULT announcedCheck = BST_UNCHECKED;
  UnitFont font;
  BrushOwner backBrush;
  CheckBoxPicture picture;
};

LRESULT CheckBoxProc(HWND hwnd, CheckBox* box, UINT message, WPARAM wParam, LPARAM lParam);

// The alignments, 0 to 2 as the class's table keeps them.
DWORD PropertyStyle(const CheckBoxProperties& properties) {
  DWORD style = (properties.hAlign == 1   ? BS_CENTER
                 : properties.hAlign == 2 ? BS_RIGHT
                                          : BS_LEFT) |
                (properties.vAlign == 0   ? BS_TOP
                 : properties.vAlign == 2 ? BS_BOTTOM
                                          : BS_VCENTER);
  if (properties.pushLike) style |= BS_PUSHLIKE;
  if (properties.flat) style |= BS_FLAT;
  if (properties.textOnLeft) style |= BS_LEFTTEXT;
  return style;
}

void ApplyPropertyStyle(HWND hwnd, const CheckBoxProperties& properties) {
  const DWORD style = DWORD(GetWindowLongW(hwnd, GWL_STYLE));
  SetWindowLongW(hwnd, GWL_STYLE, LONG((style & ~kPropertyStyles) | PropertyStyle(properties)));
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT CheckState(HWND hwnd) { return SendMessageW(hwnd, BM_GETCHECK, 0, 0); }

// Screen readers hear of every change of the check state, whoever made it:
// a click, a key, the program, a screen reader's own default action.
void AnnounceCheckChange(HWND hwnd, CheckBox* box) {
  const LRESULT check = CheckState(hwnd);
  if (check == box->announcedCheck) return;
  box->announcedCheck = check;
  AnnounceStateChange(hwnd);
}

long CheckedState(HWND hwnd) {
  const LRESULT check = CheckState(hwnd);
  return check == BST_CHECKED         ? STATE_SYSTEM_CHECKED
         : check == BST_INDETERMINATE ? STATE_SYSTEM_MIXED
                                      : 0;
}

const char* CheckAction(HWND hwnd) {
  return CheckState(hwnd) == BST_CHECKED ? kActionUncheck : kActionCheck;
}

const AccessibleFacts CheckBox::kAccessible = {
    ROLE_SYSTEM_CHECKBUTTON, true, CaptionName, CheckedState, nullptr, CheckAction, PressLikeEnter};

// --- Message handlers ------------------------------------------------------

// The control asks its parent for its colours; the parent asks the unit.
LRESULT OnReflectedColour(CheckBox* box, WPARAM wParam) {
  HDC hdc = HDC(wParam);
  SetTextColor(hdc, COLORREF(box->properties.textColor));
  SetBkColor(hdc, ColourOrDefault(box->properties.backColor));
  return LRESULT(box->backBrush.Get());
}

// The control told its parent that it was clicked (and has toggled), and
// the parent told the unit.
LRESULT OnReflectedCommand(HWND hwnd, CheckBox* box, WPARAM wParam) {
  if (HIWORD(wParam) != BN_CLICKED) return 0;
  AnnounceCheckChange(hwnd, box);
  RaiseUnitEvent(box->identity, 0);
  return 0;
}

// BM_SETCHECK: the check state is set, by the program or by the control
// itself.
LRESULT OnSetCheck(HWND hwnd, CheckBox* box, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcW(box->systemProc, hwnd, BM_SETCHECK, wParam, lParam);
  AnnounceCheckChange(hwnd, box);
  return result;
}

// --- Unit operations ---------------------------------------------------------

HWND CreateCheckBox(const UnitCreateArgs& args) {
  std::unique_ptr<CheckBox> state = NewUnitState<CheckBox>(kCheckBoxDescription, args);
  if (!state) return nullptr;
  MakeBackBrush(&state->backBrush, state->properties.backColor);
  const CheckBoxProperties& properties = state->properties;
  // A picture that decodes takes the place of the caption.
  state->picture.Load(properties.picture, properties.backColor);
  UnitWindowStyle style;
  style.text = properties.caption.c_str();
  style.style |=
      BS_AUTOCHECKBOX | BS_MULTILINE | PropertyStyle(properties) | state->picture.Style();
  CheckBox* box = state.get();
  HWND hwnd =
      CreateSystemControl<CheckBox, CheckBoxProc>(kSystemClassName, args, style, std::move(state));
  if (!hwnd) return nullptr;
  box->picture.Show(hwnd);
  GiveControlFont(hwnd, &box->font, properties.font);
  // The state it starts with is no change.
  box->announcedCheck = properties.checked ? BST_CHECKED : BST_UNCHECKED;
  SendMessageW(hwnd, BM_SETCHECK, WPARAM(box->announcedCheck), 0);
  return hwnd;
}

bool PropertyChanged(HWND hwnd, int unitIndex, const Value&) {
  CheckBox* box = UnitStateOf<CheckBox>(hwnd);
  const CheckBoxProperties& properties = box->properties;
  switch (unitIndex) {
    case kCheckBoxPicture:
      return true;
    case kCheckBoxPushLike:
    case kCheckBoxFlat:
    case kCheckBoxTextOnLeft:
    case kCheckBoxHAlign:
    case kCheckBoxVAlign:
      ApplyPropertyStyle(hwnd, properties);
      return false;
    case kCheckBoxCaption:
      SetWindowTextTo(hwnd, properties.caption);
      return false;
    case kCheckBoxTextColor:
      InvalidateRect(hwnd, nullptr, TRUE);
      return false;
    case kCheckBoxBackColor:
      MakeBackBrush(&box->backBrush, properties.backColor);
      InvalidateRect(hwnd, nullptr, TRUE);
      return false;
    case kCheckBoxFont:
      GiveControlFont(hwnd, &box->font, properties.font);
      return false;
    case kCheckBoxChecked:
      SendMessageW(hwnd, BM_SETCHECK, properties.checked ? BST_CHECKED : BST_UNCHECKED, 0);
      return false;
    default:
      return false;
  }
}

bool ReadLiveProperty(HWND hwnd, int unitIndex, Value* value) {
  if (unitIndex != kCheckBoxChecked) return false;
  *value = Value::Logical(SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED);
  return true;
}

// The class's procedure in front of the system's (widgets/common/
// system_control.h). The state, with its picture, goes after the control has
// ended and no longer shows it.
LRESULT CheckBoxProc(HWND hwnd, CheckBox* box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kReflectedCtlColorStatic:
    case kReflectedCtlColorButton:
      return OnReflectedColour(box, wParam);
    case kReflectedCommand:
      return OnReflectedCommand(hwnd, box, wParam);
    case BM_SETCHECK:
      return OnSetCheck(hwnd, box, wParam, lParam);
    default:
      return CallWindowProcW(box->systemProc, hwnd, message, wParam, lParam);
  }
}

}  // namespace

const UnitOperations kCheckBoxUnit = UnitClassOperations<CheckBox>(
    kCheckBoxDescription, CreateCheckBox, PropertyChanged, ReadLiveProperty);
