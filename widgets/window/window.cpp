// The window unit (window): the top-level window of a form, which holds its
// other units. It carries the caption and border style, the icons, the start
// position, the system-menu and caption buttons, the outline and the
// always-on-top state; it paints only its background
// (window_background.cpp), and its pre-translation gives the form its
// keyboard conveniences and dragging anywhere (window_keys.cpp). Closing
// raises the close-request and close-query events, either of which a
// handler can veto. Like the picture box, it sends its controls' messages
// back to them (widgets/common/reflection.h).
#include "widgets/window/window.h"

#include <windowsx.h>

#include <utility>

#include "frame/program_resources.h"
#include "services/system_library.h"
#include "texts/accessible.h"
#include "widgets/common/reflection.h"
#include "widgets/common/unit_window.h"
#include "widgets/window/window_state.h"

const char kDefaultWindowClassName[] = "MorvaneWindow";

// The system's move loop takes the point of the message the thread took
// last as where the mouse held the window, so it is started while that is
// the press. A request posted instead would start it from wherever the
// mouse had gone by the time the request was taken from the queue: on a
// busy machine the window would be left behind the mouse by that much.
void StartWindowDrag(HWND window, POINT pressedAt) {
  SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pressedAt.x, pressedAt.y));
}

namespace {

enum Shape : int32_t {
  kShapeRectangle = 0,
  kShapeEllipse = 1,
  // 2 to 29 are drawn as the rectangle.
};

// The frame bits that the window's properties decide; the rest of its
// style (visibility, WS_CLIPCHILDREN, the minimised state) stays as it is.
constexpr DWORD kFrameStyles = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_DLGFRAME | WS_BORDER |
                               WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kFrameExStyles =
    WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE;

struct FrameStyles {
  DWORD style = 0;
  DWORD exStyle = 0;
};

// BorderStyle, Caption, ControlBox, MaxButton and MinButton as styles:
//   0 no frame, no caption        1 WS_DLGFRAME WS_THICKFRAME (sizable)
//   2 WS_DLGFRAME                 3 as 1, WS_EX_TOOLWINDOW
//   4 as 2, WS_EX_TOOLWINDOW      5 as 1, WS_EX_CLIENTEDGE
//   6 as 2, WS_EX_CLIENTEDGE
// A framed window has a caption when it has a text or a system menu.
FrameStyles FrameStylesOf(const WindowProperties& properties) {
  static const FrameStyles kBorderStyles[] = {
      {0, 0},
      {WS_DLGFRAME | WS_THICKFRAME, 0},
      {WS_DLGFRAME, 0},
      {WS_DLGFRAME | WS_THICKFRAME, WS_EX_TOOLWINDOW},
      {WS_DLGFRAME, WS_EX_TOOLWINDOW},
      {WS_DLGFRAME | WS_THICKFRAME, WS_EX_CLIENTEDGE},
      {WS_DLGFRAME, WS_EX_CLIENTEDGE},
  };
  const int32_t borderStyle = properties.borderStyle;
  FrameStyles frame;
  if (borderStyle >= 0 && borderStyle < int32_t(sizeof kBorderStyles / sizeof kBorderStyles[0]))
    frame = kBorderStyles[borderStyle];
  if (borderStyle != 0) {
    if (!properties.caption.empty() || properties.controlBox) frame.style |= WS_CAPTION;
    if (properties.controlBox) frame.style |= WS_SYSMENU;
    // What CreateWindowEx gives every window with a frame.
    frame.exStyle |= WS_EX_WINDOWEDGE;
  }
  if (properties.maxButton) frame.style |= WS_MAXIMIZEBOX;
  if (properties.minButton) frame.style |= WS_MINIMIZEBOX;
  return frame;
}

bool IsSizable(const WindowProperties& properties) {
  return properties.borderStyle == 1 || properties.borderStyle == 3 || properties.borderStyle == 5;
}

// Puts the frame bits of the properties on the window and redraws its frame.
// Also takes away the caption that the system gives every top-level window
// created without WS_POPUP.
void ApplyFrameStyles(HWND hwnd, const WindowProperties& properties) {
  const FrameStyles frame = FrameStylesOf(properties);
  const DWORD style = (DWORD(GetWindowLongW(hwnd, GWL_STYLE)) & ~kFrameStyles) | frame.style;
  const DWORD exStyle =
      (DWORD(GetWindowLongW(hwnd, GWL_EXSTYLE)) & ~kFrameExStyles) | frame.exStyle;
  // The style first: the system fits the extended style to it.
  SetWindowLongW(hwnd, GWL_STYLE, LONG(style));
  SetWindowLongW(hwnd, GWL_EXSTYLE, LONG(exStyle));
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// CreateWindowEx enlarges a captioned window to the smallest size the user
// could drag it to; the window is to have exactly the outer size it was
// given. A minimised or maximised window gets it as its normal size.
void KeepOuterSize(HWND hwnd, int width, int height) {
  if (IsIconic(hwnd) || IsZoomed(hwnd)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(hwnd, &placement)) return;
    RECT& normal = placement.rcNormalPosition;
    if (normal.right - normal.left == width && normal.bottom - normal.top == height) return;
    normal.right = normal.left + width;
    normal.bottom = normal.top + height;
    // Hidden it stays: the frame shows it.
    if (!IsWindowVisible(hwnd)) placement.showCmd = SW_HIDE;
    SetWindowPlacement(hwnd, &placement);
    return;
  }
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  if (rect.right - rect.left == width && rect.bottom - rect.top == height) return;
  SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The program's own icon at the system's size for `metric` (a shared
// resource), for a window whose Icon yields none.
HICON ProgramIcon(int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM),
                                       IMAGE_ICON, GetSystemMetrics(widthMetric),
                                       GetSystemMetrics(heightMetric), LR_SHARED));
}

// The icon of the Icon file's entry chosen for `wantedWidth`, or none.
OwnedImage IconFromFile(const Bytes& file, int wantedWidth) {
  if (file.empty()) return OwnedImage();
  OwnedImage image(DecodeImage(ViewOf(file), wantedWidth));
  if (image && !image->icon) image.reset();
  return image;
}

// The big icon from the entry 32 pixels wide, the small one from the entry
// 16 wide (by the icon-file rules, the last entry when none matches); the
// icons replaced go after the window has let go of them.
void SetIcons(WindowUnit* window, HWND hwnd) {
  OwnedImage big = IconFromFile(window->properties.icon, kPictureIconWidth);
  OwnedImage small = IconFromFile(window->properties.icon, kSmallIconWidth);
  HICON bigIcon = static_cast<HICON>(big ? big->icon : small ? small->icon : nullptr);
  HICON smallIcon = static_cast<HICON>(small ? small->icon : big ? big->icon : nullptr);
  if (!bigIcon) {
    bigIcon = ProgramIcon(SM_CXICON, SM_CYICON);
    smallIcon = ProgramIcon(SM_CXSMICON, SM_CYSMICON);
  }
  SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
  SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  window->bigIcon = std::move(big);
  window->smallIcon = std::move(small);
}

// The outline: an ellipse of the window's size for Shape 1; every other
// value is the rectangle.
void ApplyShape(HWND hwnd, int32_t shape) {
  if (shape != kShapeEllipse) {
    SetWindowRgn(hwnd, nullptr, TRUE);
    return;
  }
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  // The window owns the region from here on.
  SetWindowRgn(hwnd, CreateEllipticRgn(0, 0, rect.right - rect.left, rect.bottom - rect.top), TRUE);
}

void PlaceOnTop(HWND hwnd, bool onTop) {
  SetWindowPos(hwnd, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT WindowUnitProc(HWND hwnd, WindowUnit* window, UINT message, WPARAM wParam, LPARAM lParam);

// A window that leaves the top puts back the program's other windows that
// stay on top and have a taskbar button: they were above it.
BOOL CALLBACK PutBackOnTop(HWND other, LPARAM leaving) {
  if (other == reinterpret_cast<HWND>(leaving) ||
      WNDPROC(GetClassLongPtrW(other, GCLP_WNDPROC)) != kUnitWindowProc<WindowUnit, WindowUnitProc>)
    return TRUE;
  const WindowUnit* window = WindowStateOf(other);
  if (window && window->properties.alwaysOnTop && window->properties.showInTaskbar)
    PlaceOnTop(other, true);
  return TRUE;
}

// Without a Move entry in its system menu the window cannot be moved from
// it; a window that becomes movable gets the system's menu back.
void ApplyMovable(HWND hwnd, bool movable, bool atCreation) {
  if (movable) {
    if (!atCreation) GetSystemMenu(hwnd, TRUE);
    return;
  }
  if (HMENU menu = GetSystemMenu(hwnd, FALSE)) DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
}

void Centre(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  SetWindowPos(hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The work area of the monitor that holds the window. The monitor calls are
// looked up, so that a system without them falls back on the one work area.
bool WorkAreaOf(HWND hwnd, RECT* area) {
  using MonitorFromWindowCall = HMONITOR(WINAPI*)(HWND, DWORD);
  using GetMonitorInfoCall = BOOL(WINAPI*)(HMONITOR, MONITORINFO*);
  const SystemLibrary user32("user32.dll");
  auto monitorFromWindow =
      OptionalFunction<MonitorFromWindowCall>(user32.Get(), "MonitorFromWindow");
  auto getMonitorInfo = OptionalFunction<GetMonitorInfoCall>(user32.Get(), "GetMonitorInfoW");
  if (monitorFromWindow && getMonitorInfo) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = monitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
    if (monitor && getMonitorInfo(monitor, &info)) {
      *area = info.rcWork;
      return true;
    }
  }
  return SystemParametersInfoW(SPI_GETWORKAREA, 0, area, 0) != FALSE;
}

// StartPosition written at run time; only a visible window moves.
void ApplyStartPosition(HWND hwnd, int32_t position) {
  if (!IsWindowVisible(hwnd)) return;
  switch (position) {
    case kStartStored:
      ShowWindow(hwnd, SW_SHOWNORMAL);
      return;
    case kStartCentred:
      if (IsIconic(hwnd) || IsZoomed(hwnd)) ShowWindow(hwnd, SW_RESTORE);
      Centre(hwnd);
      return;
    case kStartMinimised:
      ShowWindow(hwnd, SW_MINIMIZE);
      return;
    case kStartMaximised: {
      if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
      ShowWindow(hwnd, SW_MAXIMIZE);
      RECT work{};
      if (WorkAreaOf(hwnd, &work))
        SetWindowPos(hwnd, nullptr, work.left, work.top, work.right - work.left,
                     work.bottom - work.top, SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
  }
}

// After a change of the background: the window paints it again, and so do
// its visible transparent children (the transparent labels), which show it
// through themselves.
void RepaintBackground(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, TRUE);
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT))
      InvalidateRect(child, nullptr, FALSE);
}

// WM_CLOSE: the close request (12), then the close query (1); a veto of
// either keeps the window. A handler may also take the window down itself,
// and the window's state with it.
void OnClose(HWND hwnd, WindowUnit* window) {
  const UnitIdentity identity = window->identity;
  if (Vetoed(RaiseUnitEvent(identity, kWindowCloseRequest)) || !IsWindow(hwnd)) return;
  if (Vetoed(RaiseUnitEvent(identity, kWindowCloseQuery)) || !IsWindow(hwnd)) return;
  ReenableWindowsDisabledByModal(window->link);
  DestroyWindow(hwnd);
}

// WM_LBUTTONDOWN on a window that drags anywhere: the press has raised its
// event and goes on as a drag.
void OnPress(WindowUnit* window, HWND hwnd, LPARAM lParam) {
  if (!window->properties.dragAnywhere) return;
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(hwnd, &at);
  StartWindowDrag(hwnd, at);
}

// WM_SIZE: an elliptic outline follows the new size before the resized event.
void OnSize(WindowUnit* window, HWND hwnd, WPARAM kind) {
  if (window->properties.shape == kShapeEllipse && kind != SIZE_MINIMIZED)
    ApplyShape(hwnd, kShapeEllipse);
  RaiseUnitEvent(window->identity, kWindowResized);
}

HWND CreateWindowUnit(const UnitCreateArgs& args) {
  std::unique_ptr<WindowUnit> state = NewUnitState<WindowUnit>(kWindowDescription, args);
  if (!state) return nullptr;
  WindowProperties& properties = state->properties;
  UnitWindowClass windowClass;
  windowClass.name =
      properties.className.empty() ? kDefaultWindowClassName : properties.className.c_str();
  windowClass.unregisteredIsFatal = true;
  const FrameStyles frame = FrameStylesOf(properties);
  UnitWindowStyle style;
  style.text = properties.caption.c_str();
  style.style = frame.style | WS_CLIPCHILDREN;
  style.exStyle = frame.exStyle;
  UnitCreateArgs placed = args;
  // Of the record's flags only the disabled state means something for a
  // window (WS_TABSTOP is WS_MAXIMIZEBOX here).
  placed.style = args.style & WS_DISABLED;
  if (placed.parent)
    style.style |= WS_POPUP;
  else if (!properties.showInTaskbar)
    placed.parent = HiddenOwnerWindow();  // an owned window has no taskbar button
  if (properties.startPosition == kStartCentred) {
    placed.left = (GetSystemMetrics(SM_CXSCREEN) - args.width) / 2;
    placed.top = (GetSystemMetrics(SM_CYSCREEN) - args.height) / 2;
  } else if (properties.startPosition == kStartMinimised) {
    style.style |= WS_MINIMIZE;
  } else if (properties.startPosition == kStartMaximised && IsSizable(properties)) {
    style.style |= WS_MAXIMIZE;
  }
  WindowUnit* window = state.get();
  HWND hwnd =
      CreateUnitWindow<WindowUnit, WindowUnitProc>(windowClass, placed, style, std::move(state));
  if (!hwnd) return nullptr;
  ApplyFrameStyles(hwnd, properties);
  KeepOuterSize(hwnd, args.width, args.height);
  SetIcons(window, hwnd);
  if (properties.shape != kShapeRectangle) ApplyShape(hwnd, properties.shape);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  if (properties.alwaysOnTop) PlaceOnTop(hwnd, true);
  ApplyMovable(hwnd, properties.movable, true);
  // BackSound is kept and written back but not played: the program has no
  // sound playback.
  return hwnd;
}

bool PropertyChanged(HWND hwnd, int unitIndex, const Value&) {
  WindowUnit* window = WindowStateOf(hwnd);
  if (!window) return false;
  const WindowProperties& properties = window->properties;
  switch (unitIndex) {
    case kWindowCaption:
      SetWindowTextTo(hwnd, properties.caption);
      ApplyFrameStyles(hwnd, properties);
      break;
    case kWindowBorderStyle:
    case kWindowControlBox:
    case kWindowMaxButton:
    case kWindowMinButton:
      ApplyFrameStyles(hwnd, properties);
      break;
    case kWindowBackPicture:
      window->backPicture.reset();
      window->backPictureTried = false;
      RepaintBackground(hwnd);
      break;
    case kWindowBackColor:
    case kWindowBackPictureMode:
      RepaintBackground(hwnd);
      break;
    case kWindowStartPosition:
      ApplyStartPosition(hwnd, properties.startPosition);
      break;
    case kWindowMovable:
      ApplyMovable(hwnd, properties.movable, false);
      break;
    case kWindowIcon:
      SetIcons(window, hwnd);
      break;
    case kWindowShape:
      ApplyShape(hwnd, properties.shape);
      break;
    case kWindowAlwaysOnTop:
      PlaceOnTop(hwnd, properties.alwaysOnTop);
      if (!properties.alwaysOnTop)
        EnumThreadWindows(GetCurrentThreadId(), PutBackOnTop, reinterpret_cast<LPARAM>(hwnd));
      break;
      // The others are read where they act (the keyboard, dragging, help)
      // or when the window is next created (ShowInTaskbar, ClassName).
  }
  return false;
}

// StartPosition is the window's present state: minimised, maximised or
// neither.
bool ReadLiveProperty(HWND hwnd, int unitIndex, Value* value) {
  if (unitIndex != kWindowStartPosition) return false;
  *value = Value::Integer(IsIconic(hwnd)   ? kStartMinimised
                          : IsZoomed(hwnd) ? kStartMaximised
                                           : kStartStored);
  return true;
}

// How the frame shows the window at the end of its loading: by the stored
// StartPosition.
int ShowCommand(HWND hwnd) {
  const WindowUnit* window = WindowStateOf(hwnd);
  const int32_t position = window ? window->properties.startPosition : kStartStored;
  return position == kStartMaximised   ? SW_SHOWMAXIMIZED
         : position == kStartMinimised ? SW_SHOWMINIMIZED
                                       : SW_SHOW;
}

LRESULT WindowUnitProc(HWND hwnd, WindowUnit* window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A control's notification goes back to the control first.
  LRESULT reflected = 0;
  if (ReflectToControl(hwnd, message, wParam, lParam, &reflected)) return reflected;
  switch (message) {
    case WM_CLOSE:
      OnClose(hwnd, window);
      return 0;
    case WM_QUERYENDSESSION:
      return Vetoed(RaiseUnitEvent(window->identity, kWindowCloseQuery)) ? FALSE : TRUE;
    case WM_MOVE:
      DefWindowProcW(hwnd, message, wParam, lParam);
      RaiseUnitEvent(window->identity, kWindowMoved);
      return 0;
    case WM_SIZE:
      DefWindowProcW(hwnd, message, wParam, lParam);
      OnSize(window, hwnd, wParam);
      return 0;
    case WM_LBUTTONDOWN:
      OnPress(window, hwnd, lParam);
      return 0;
    case WM_SHOWWINDOW:
      DefWindowProcW(hwnd, message, wParam, lParam);
      // Keyboard cues hidden when the window comes up from a mouse action,
      // shown when from the keyboard; Tab and mnemonics show them later.
      if (wParam)
        SendMessageW(hwnd, WM_CHANGEUISTATE,
                     MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
      RaiseUnitEvent(window->identity, wParam ? kWindowShown : kWindowHidden);
      return 0;
    case WM_SETFONT:
      window->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(window->font);
    case WM_DESTROY:
      RaiseUnitEvent(window->identity, kWindowDestroying);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// The close box on the caption bar, where there is one.
bool HasCloseBox(HWND hwnd) {
  const DWORD style = DWORD(GetWindowLongW(hwnd, GWL_STYLE));
  return (style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU);
}

// A window takes the focus when none of its units has it.
long FocusableState(HWND) { return STATE_SYSTEM_FOCUSABLE; }

const char* CloseAction(HWND hwnd) { return HasCloseBox(hwnd) ? kActionClose : nullptr; }

// What the close box does.
void CloseAsItsBoxDoes(HWND hwnd) { SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); }

constexpr UnitOperations MakeWindowOperations() {
  UnitOperations operations = UnitClassOperations<WindowUnit>(kWindowDescription, CreateWindowUnit,
                                                              PropertyChanged, ReadLiveProperty);
  operations.preTranslate = PreTranslateWindowMessage;
  operations.showCommand = ShowCommand;
  operations.isContainer = true;
  return operations;
}

}  // namespace

const AccessibleFacts WindowUnit::kAccessible = {ROLE_SYSTEM_CLIENT, false,   CaptionName,
                                                 FocusableState,     nullptr, CloseAction,
                                                 CloseAsItsBoxDoes};

const UnitOperations kWindowUnit = MakeWindowOperations();
