// A unit as a screen reader reads it: the accessible object (IAccessible)
// with which a unit's window answers WM_GETOBJECT for its client area. Screen
// readers (and UI Automation's bridge) read it from their own processes:
// the unit's role, name, state, value, default action, place on the screen
// and the units inside it, and they carry out its default action.
//
// The window procedures of unit_window.h and system_control.h answer for
// every class whose state names its facts as the static member
// `kAccessible`:
//
//   struct PicBtn { static const AccessibleFacts kAccessible; ... };
//
// A class without it leaves the request to the system, whose own object
// serves for some controls (an edit box reads as text with its content).
//
// What every unit answers alike comes from its window: its children (the
// windows inside it, in their z-order), its place, and the states that the
// window shows: invisible while it is hidden or a visible sibling above it
// covers it whole (the progress view over the install button), unavailable
// while it or a window it lies in is disabled, focused while it has the
// keyboard focus. Windows announces every focus move itself
// (EVENT_OBJECT_FOCUS for the window's client object).
//
// The library that hands the object to the client (oleacc) is loaded from
// the system folder at the first request for a client object; a program
// that no screen reader reads never loads it.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include "frame/unit_class.h"
#include "services/values.h"

// What a class tells a screen reader of its units beyond what every unit
// answers alike, one row a class in the order of the fields. Each function
// gets the unit's window.
struct AccessibleFacts {
  long role = ROLE_SYSTEM_CLIENT;
  // The unit takes the keyboard focus (where it has a tab stop).
  bool takesFocus = false;
  // The unit's own name, where the program gives it none
  // (ProgramAccessibleName): the caption for most classes; nullptr: none.
  Text (*name)(HWND unit) = nullptr;
  // The class's own state bits (checked, read-only, linked); nullptr: none.
  long (*state)(HWND unit) = nullptr;
  // The value (a progress bar's share, a link's address); nullptr: none,
  // and an empty text is none too.
  Text (*value)(HWND unit) = nullptr;
  // The name of the default action as it stands now, code page 936; nullptr
  // for a class without one, and a function's nullptr for a unit that has
  // none now.
  const char* (*action)(HWND unit) = nullptr;
  // Carries out the default action through the class's own path for it,
  // the one a click takes. Never inside the client's call, which must not
  // wait for what the action leads to (a message box, a whole
  // installation): the request is posted to the unit and done from the
  // message loop, once more only where the unit can still be used.
  void (*act)(HWND unit) = nullptr;
};

// The caption (window text) as the name.
Text CaptionName(HWND unit);

// A unit whose content a person cannot change.
long ReadOnlyState(HWND unit);

// The facts of a unit that shows its caption as text (the labels).
constexpr AccessibleFacts kStaticTextFacts = {ROLE_SYSTEM_STATICTEXT, false, CaptionName,
                                              ReadOnlyState};

// The press that Enter gives a button of the window (BM_CLICK), which each
// class takes the way a click takes it.
void PressLikeEnter(HWND unit);

// Tells screen readers that the unit's state (EVENT_OBJECT_STATECHANGE) or
// value (EVENT_OBJECT_VALUECHANGE) changed, where the system control under
// it does not.
void AnnounceStateChange(HWND unit);
void AnnounceValueChange(HWND unit);

// Whether a person can use the unit now, as a mouse press could reach it:
// it is visible, neither it nor a window it lies in is disabled, and no
// visible sibling above it covers it whole, at any level up to its window.
bool UnitUsable(HWND unit);
// Whether a visible window above the unit in z-order covers the part of it
// that its parents show, at its own level or at the level of a window it
// lies in.
bool CoveredByASibling(HWND unit);

namespace unit_accessible {

// The units' private message that carries a default action from the
// client's call to the message loop.
constexpr UINT kMsgDefaultAction = 0x8100;  // WM_APP + 0x100

// WM_GETOBJECT: answers the request for the client object with the unit's
// object, made on the first request and kept for the window's life; false
// for any other object (the system answers those) or where the library is
// missing.
bool AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, const AccessibleFacts& facts,
                     const UnitLink& link, LRESULT* answer);
// kMsgDefaultAction: the default action, where the unit is still usable.
void RunDefaultAction(HWND hwnd, const AccessibleFacts& facts);
// WM_NCDESTROY: the unit's object answers no more (a client that still
// holds it is told that it is gone) and is let go.
void EndObject(HWND hwnd);

}  // namespace unit_accessible
