// Notifications of the system controls, sent back to the control they came
// from. A system control tells its parent (WM_COMMAND) and asks its parent
// for colours (WM_CTLCOLOR*); a unit that wraps such a control wants both
// for itself. Every unit that can hold other units (the window, the picture
// box) therefore sends these messages on to the control named in them, as
// the message number plus kReflectedMessageBase with the same parameters,
// and answers with the control's answer.
//
// Edit controls keep the parent they were created with: a unit moved into a
// container still notifies the window, so the window reflects for any
// control inside it, not only for its direct children.
#pragma once

#include <windows.h>

constexpr UINT kReflectedMessageBase = 0x2000;
constexpr UINT kReflectedCommand = kReflectedMessageBase + WM_COMMAND;
constexpr UINT kReflectedCtlColorEdit = kReflectedMessageBase + WM_CTLCOLOREDIT;
constexpr UINT kReflectedCtlColorButton = kReflectedMessageBase + WM_CTLCOLORBTN;
constexpr UINT kReflectedCtlColorStatic = kReflectedMessageBase + WM_CTLCOLORSTATIC;

// For a container's window procedure: when `message` is a control's
// WM_COMMAND or WM_CTLCOLOR* and the control lies inside `container`, sends
// the reflected message to it and answers true with `*result` set. False
// when the message is none of these, names no control of the container, or
// (for a colour request) the control left its colours to the default: the
// container then handles the message as it would have.
bool ReflectToControl(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
