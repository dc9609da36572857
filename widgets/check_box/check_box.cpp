// The check box (CheckBox): a system BUTTON with the auto-check-box style,
// which toggles itself on a click, showing its caption or, when its Picture
// decodes, that picture instead. The system draws it; the unit gives it its
// colours through the reflected colour messages.
//
// Event 0 is raised once for every toggle by the user: a click, the space
// bar, or the BM_CLICK that the window sends for an Alt mnemonic. The
// system tells the parent (BN_CLICKED) after it has toggled the state, so a
// handler reading Checked sees the new state.
#include "widgets/check_box/check_box.h"

#include <memory>

#include "widgets/check_box/check_box_picture.h"
#include "widgets/common/reflection.h"
#include "widgets/common/system_control.h"
#include "widgets/common/unit_look.h"

namespace {

const char kSystemClassName[] = "BUTTON";
// The style bits that the unit's own properties set.
constexpr DWORD kPropertyStyles = BS_PUSHLIKE | BS_FLAT | BS_LEFTTEXT | BS_CENTER | BS_VCENTER;

struct CheckBox {
  CheckBoxProperties properties;
  UnitIdentity identity;
  WNDPROC systemProc = nullptr;
  UnitFont font;
  BrushOwner backBrush;
  CheckBoxPicture picture;
};

CheckBox* StateOf(HWND hwnd) { return static_cast<CheckBox*>(SystemControlState(hwnd)); }

DWORD PropertyStyle(const CheckBoxProperties& properties) {
  static const DWORD kHorizontal[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
  static const DWORD kVertical[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};
  DWORD style = kHorizontal[ClampChoice(properties.hAlign, 0, 2)] |
                kVertical[ClampChoice(properties.vAlign, 0, 2)];
  if (properties.pushLike) style |= BS_PUSHLIKE;
  if (properties.flat) style |= BS_FLAT;
  if (properties.textOnLeft) style |= BS_LEFTTEXT;
  return style;
}

void MakeBackBrush(CheckBox* box) {
  box->backBrush.Reset(CreateSolidBrush(ColourOrDefault(box->properties.backColor)));
}

void ApplyFont(HWND hwnd, CheckBox* box) {
  // The control keeps using the font it has until it is given another: hand
  // it the stock font while the unit's own is replaced.
  SendMessageA(hwnd, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  box->font.Set(box->properties.font);
  SendMessageA(hwnd, WM_SETFONT, WPARAM(box->font.Get()), TRUE);
}

void ApplyPropertyStyle(HWND hwnd, const CheckBoxProperties& properties) {
  const DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
  SetWindowLongA(hwnd, GWL_STYLE, LONG((style & ~kPropertyStyles) | PropertyStyle(properties)));
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  InvalidateRect(hwnd, nullptr, TRUE);
}

// --- Message handlers ------------------------------------------------------

// The control asks its parent for its colours; the parent asks the unit.
LRESULT OnReflectedColour(CheckBox* box, WPARAM wParam) {
  HDC hdc = HDC(wParam);
  SetTextColor(hdc, COLORREF(box->properties.textColor));
  SetBkMode(hdc, TRANSPARENT);
  return LRESULT(box->backBrush.Get());
}

// The control told its parent that it was clicked (and has toggled), and
// the parent told the unit.
LRESULT OnReflectedCommand(CheckBox* box, WPARAM wParam) {
  if (HIWORD(wParam) == BN_CLICKED) RaiseUnitEvent(box->identity, 0);
  return 0;
}

// The last message: the control ends, then the unit's state with its
// picture, which the control no longer shows.
LRESULT OnNcDestroy(HWND hwnd, CheckBox* box, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcA(box->systemProc, hwnd, WM_NCDESTROY, wParam, lParam);
  ForgetSystemControlState(hwnd);
  delete box;
  return result;
}

LRESULT CALLBACK CheckBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// --- Unit operations ---------------------------------------------------------

HWND CreateCheckBox(const UnitCreateArgs& args) {
  std::unique_ptr<CheckBox> state(new CheckBox);
  if (!ReadProperties(args.properties, &state->properties)) return nullptr;
  ClampCheckBoxProperties(&state->properties);
  state->identity = args.identity;
  MakeBackBrush(state.get());
  const CheckBoxProperties& properties = state->properties;
  // A picture that decodes takes the place of the caption.
  state->picture.Load(properties.picture, properties.backColor);
  const DWORD style = BS_AUTOCHECKBOX | BS_MULTILINE | WS_CHILD | WS_CLIPSIBLINGS |
                      PropertyStyle(properties) | state->picture.Style();
  HWND hwnd = CreateSystemControl(kSystemClassName, properties.caption.c_str(), style, args,
                                  state.get(), CheckBoxProc, &state->systemProc);
  if (!hwnd) return nullptr;
  CheckBox* box = state.release();
  box->picture.Show(hwnd);
  ApplyFont(hwnd, box);
  SendMessageA(hwnd, BM_SETCHECK, properties.checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return hwnd;
}

void* Properties(HWND hwnd) { return &StateOf(hwnd)->properties; }

bool PropertyChanged(HWND hwnd, int unitIndex, const Value&) {
  CheckBox* box = StateOf(hwnd);
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
      SetWindowTextA(hwnd, properties.caption.c_str());
      return false;
    case kCheckBoxTextColor:
      InvalidateRect(hwnd, nullptr, TRUE);
      return false;
    case kCheckBoxBackColor:
      MakeBackBrush(box);
      InvalidateRect(hwnd, nullptr, TRUE);
      return false;
    case kCheckBoxFont:
      ApplyFont(hwnd, box);
      return false;
    case kCheckBoxChecked:
      SendMessageA(hwnd, BM_SETCHECK, properties.checked ? BST_CHECKED : BST_UNCHECKED, 0);
      return false;
    default:
      return false;
  }
}

bool ReadLiveProperty(HWND hwnd, int unitIndex, Value* value) {
  if (unitIndex != kCheckBoxChecked) return false;
  *value = Value::Logical(SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED);
  return true;
}

// The class's procedure in front of the system's. The state is there from
// the first message it sees (see widgets/common/system_control.h).
LRESULT CALLBACK CheckBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CheckBox* box = StateOf(hwnd);
  if (!box || !box->systemProc) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case kReflectedCtlColorStatic:
    case kReflectedCtlColorButton:
      return OnReflectedColour(box, wParam);
    case kReflectedCommand:
      return OnReflectedCommand(box, wParam);
    case WM_NCDESTROY:
      return OnNcDestroy(hwnd, box, wParam, lParam);
    default:
      return CallWindowProcA(box->systemProc, hwnd, message, wParam, lParam);
  }
}

constexpr UnitOperations MakeCheckBoxOperations() {
  UnitOperations operations;
  operations.description = &kCheckBoxDescription;
  operations.create = CreateCheckBox;
  operations.properties = Properties;
  operations.propertyChanged = PropertyChanged;
  operations.readLiveProperty = ReadLiveProperty;
  return operations;
}

}  // namespace

const UnitOperations kCheckBoxUnit = MakeCheckBoxOperations();
