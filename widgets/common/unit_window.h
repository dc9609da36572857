// A unit's window of one of our own classes: the class registered on first
// use, the window created with the unit's state, and the state tied to the
// window's life. The state arrives through lpCreateParams, is stored in
// GWLP_USERDATA on WM_NCCREATE and deleted on WM_NCDESTROY, so that a class
// writes only its procedure, which finds the state unpacked:
//
//   struct Label : UnitState<LabelProperties> { UnitFont font; ... };
//   LRESULT LabelProc(HWND hwnd, Label* label, UINT message, WPARAM, LPARAM);
//   ...
//   HWND hwnd = CreateUnitWindow<Label, LabelProc>(kClass, args, style, std::move(state));
//
// A class that paints its units states how as the static member `Paint` of
// its state, and its procedure never sees a request to paint.
//
// The window procedure here (and system_control.h's for a wrapped system
// control) is the one way from a unit's window to its unit: it hands every
// message, with the state's `link`, to the frame's part of a unit's
// procedure (UnitFrameMessage, frame/unit_class.h), which calls the class's
// procedure in its midst. So no class can leave the frame out, and whatever
// every unit answers alike goes there. In front of both, the unit's
// accessible object answers screen readers for a class that states its
// facts (widgets/common/accessible.h).
//
// Every window and text of a unit goes to Windows through unit_window.cpp:
// the class registration, the window creation (here and for the system
// controls, system_control.h) and the reading of a window's text. The
// classes and windows are wide ones (services/wide_text.h): names and texts
// are code page 936 here and UTF-16 for Windows, and every procedure gets
// its messages in their UTF-16 form and hands on with the W entry points.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "frame/property_codec.h"
#include "frame/unit_class.h"
#include "services/values.h"
#include "widgets/common/accessible.h"

// A class's procedure: the window procedure with the state unpacked. It sees
// every message from WM_NCCREATE to WM_NCDESTROY (the state is deleted right
// after it has answered WM_NCDESTROY); an answer of FALSE to WM_NCCREATE
// refuses the window as the system's procedure does.
template <typename State>
using UnitProcedure = LRESULT (*)(HWND hwnd, State* state, UINT message, WPARAM wParam,
                                  LPARAM lParam);

// The window class of a unit class.
struct UnitWindowClass {
  const char* name = nullptr;  // code page 936, as every text
  UINT style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  HCURSOR cursor = nullptr;     // nullptr: the arrow
  HBRUSH background = nullptr;  // what erasing fills with; nullptr: nothing
  // A class that cannot be registered is the frame's run-time error rather
  // than a unit that cannot be made (the window unit's rule).
  bool unregisteredIsFatal = false;
};

// What CreateWindowEx is given besides the frame's arguments: the place,
// the parent, the control identifier and the record's WS_DISABLED and
// WS_TABSTOP (UnitCreateArgs::style) come from those and are always added.
struct UnitWindowStyle {
  const char* text = "";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
};

// What every unit's state begins with: its property record, which unit it
// is, and the frame's link to it. The class adds what else it keeps.
template <typename Properties>
struct UnitState {
  Properties properties;
  UnitIdentity identity;
  UnitLink link;
};

// What a unit is asked to paint: into `dc`, at least the part `area` of its
// client area. `onScreen` when the unit paints its own window (WM_PAINT),
// rather than a copy of itself into a caller's context (WM_PRINTCLIENT). A
// class that paints its units answers both through its state's
//
//   static void Paint(HWND hwnd, Label& label, const PaintRequest& request);
struct PaintRequest {
  HDC dc = nullptr;
  RECT area{};
  bool onScreen = false;
};

// The state that the unit's window carries; nullptr before WM_NCCREATE and
// after WM_NCDESTROY.
template <typename State>
State* UnitStateOf(HWND hwnd) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The unit operation `properties` of every class: the property record that
// the state holds as `properties`.
template <typename State>
void* UnitPropertiesOf(HWND hwnd) {
  return &UnitStateOf<State>(hwnd)->properties;
}

// The operations every class fills the same way: its description, its
// create operation, the property record of its state, its answer to a
// changed property, and where it has them, its live properties. The class
// adds what else it has.
template <typename State>
constexpr UnitOperations UnitClassOperations(const UnitDescription& description,
                                             HWND (*create)(const UnitCreateArgs&),
                                             bool (*propertyChanged)(HWND, int, const Value&),
                                             bool (*readLiveProperty)(HWND, int,
                                                                      Value*) = nullptr) {
  UnitOperations operations;
  operations.description = &description;
  operations.create = create;
  operations.properties = UnitPropertiesOf<State>;
  operations.propertyChanged = propertyChanged;
  operations.readLiveProperty = readLiveProperty;
  return operations;
}

// A new unit's state: its property record read from the creation block by
// the class's codec and clamped, and its identity. nullptr when the codec
// refuses the block.
template <typename State>
std::unique_ptr<State> NewUnitState(const UnitDescription& description,
                                    const UnitCreateArgs& args) {
  std::unique_ptr<State> state(new State);
  if (!ReadPropertyBlock(description, args.properties, &state->properties)) return nullptr;
  ClampProperties(description, &state->properties);
  state->identity = args.identity;
  return state;
}

// The window text of `hwnd` (a unit's caption, an edit box's content);
// empty when it has none.
Text WindowText(HWND hwnd);
// Gives `hwnd` the window text `text`; false when the window refuses it.
bool SetWindowTextTo(HWND hwnd, const Text& text);

// Whether `point`, in client coordinates, lies in the client area.
bool InClient(HWND hwnd, POINT point);

namespace unit_window {

// Carries the state through lpCreateParams; `taken` once the window holds it.
struct Handoff {
  void* state = nullptr;
  bool taken = false;
};

// Registers the class with `procedure` unless it is registered already, and
// creates the window with `handoff` as its creation parameter. nullptr when
// the class cannot be registered (its name is another class's, or the system
// refuses it) or the window cannot be made.
HWND Create(const UnitWindowClass& windowClass, WNDPROC procedure, const UnitCreateArgs& args,
            const UnitWindowStyle& style, Handoff* handoff);
// The one CreateWindowEx of the units: a window of the registered class
// `className` (ours or the system's) with `parameter` as lpCreateParams.
HWND CreateWindowOf(const char* className, const UnitCreateArgs& args, const UnitWindowStyle& style,
                    void* parameter);

// The state for `message`: on WM_NCCREATE taken from the handoff into
// GWLP_USERDATA, otherwise read from there.
void* StateFor(HWND hwnd, UINT message, LPARAM lParam);
// The class refused WM_NCCREATE: the state goes back to the creator.
void GiveBack(HWND hwnd, LPARAM lParam);

// Whether the class paints its units, as the static member `Paint` of its
// state.
template <typename State, typename = void>
constexpr bool kPaintsItself = false;
template <typename State>
constexpr bool kPaintsItself<State, std::void_t<decltype(&State::Paint)>> = true;

using PaintStep = void (*)(HWND hwnd, void* state, const PaintRequest& request);

template <typename State>
void PaintOf(HWND hwnd, void* state, const PaintRequest& request) {
  State::Paint(hwnd, *static_cast<State*>(state), request);
}

// WM_PAINT, between BeginPaint and EndPaint, over the invalid area;
// WM_PRINTCLIENT into the context given, over the part of the client area
// that the context can show, and not at all where it shows none.
void AnswerPaint(HWND hwnd, UINT message, WPARAM wParam, PaintStep paint, void* state);

// The class's procedure as the frame's part calls it, with the requests to
// paint answered for a class that paints.
template <typename State, UnitProcedure<State> Procedure>
LRESULT ClassStep(HWND hwnd, void* state, UINT message, WPARAM wParam, LPARAM lParam) {
  if constexpr (kPaintsItself<State>) {
    if (message == WM_PAINT || message == WM_PRINTCLIENT) {
      AnswerPaint(hwnd, message, wParam, PaintOf<State>, state);
      return 0;
    }
  }
  return Procedure(hwnd, static_cast<State*>(state), message, wParam, lParam);
}

// Whether the class states what a screen reader is told of its units, as
// the static member `kAccessible` of its state (widgets/common/accessible.h).
template <typename State, typename = void>
constexpr bool kHasAccessibleFacts = false;
template <typename State>
constexpr bool kHasAccessibleFacts<State, std::void_t<decltype(State::kAccessible)>> = true;

// One message of a unit's window with its state: the unit's accessible
// object where its class has one, the frame's part, and the class's
// procedure in it. Only WM_NCDESTROY leaves the state for certain: after
// any other message, the window may have been destroyed meanwhile.
template <typename State, UnitProcedure<State> Procedure>
LRESULT UnitMessage(HWND hwnd, State* state, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(std::is_same_v<decltype(State::link), UnitLink>,
                "a unit's state holds the frame's link as `link`");
  if constexpr (kHasAccessibleFacts<State>) {
    static_assert(std::is_same_v<decltype(State::kAccessible), const AccessibleFacts>,
                  "a class's accessible facts are `static const AccessibleFacts kAccessible`");
    LRESULT answer = 0;
    if (message == WM_GETOBJECT &&
        unit_accessible::AnswerGetObject(hwnd, wParam, lParam, State::kAccessible, state->link,
                                         &answer))
      return answer;
    if (message == unit_accessible::kMsgDefaultAction) {
      unit_accessible::RunDefaultAction(hwnd, State::kAccessible);
      return 0;
    }
  }
  const LRESULT result = UnitFrameMessage(&state->link, hwnd, message, wParam, lParam,
                                          ClassStep<State, Procedure>, state);
  if constexpr (kHasAccessibleFacts<State>) {
    if (message == WM_NCDESTROY) unit_accessible::EndObject(hwnd);
  }
  return result;
}

template <typename State, UnitProcedure<State> Procedure>
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  State* state = static_cast<State*>(StateFor(hwnd, message, lParam));
  // Messages before WM_NCCREATE (WM_GETMINMAXINFO for a top-level window)
  // find no state.
  if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
  const LRESULT result = UnitMessage<State, Procedure>(hwnd, state, message, wParam, lParam);
  if (message == WM_NCCREATE && !result) {
    GiveBack(hwnd, lParam);
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    delete state;
  }
  return result;
}

}  // namespace unit_window

// The window procedure that CreateUnitWindow registers for the class: how a
// class tells its own windows from others of the same name.
template <typename State, UnitProcedure<State> Procedure>
constexpr WNDPROC kUnitWindowProc = unit_window::WindowProc<State, Procedure>;

// Creates the unit's window of `windowClass`, registering the class on its
// first use, with `state` as the window's from WM_NCCREATE on. nullptr when
// the class cannot be registered or the window cannot be made; the state is
// then gone too, whether the window failed before it took the state or
// after (WM_NCCREATE refused, WM_CREATE answered -1).
template <typename State, UnitProcedure<State> Procedure>
HWND CreateUnitWindow(const UnitWindowClass& windowClass, const UnitCreateArgs& args,
                      const UnitWindowStyle& style, std::unique_ptr<State> state) {
  unit_window::Handoff handoff{state.get()};
  HWND hwnd =
      unit_window::Create(windowClass, kUnitWindowProc<State, Procedure>, args, style, &handoff);
  // The window's end deleted what it took.
  if (handoff.taken) (void)state.release();
  return hwnd;
}
