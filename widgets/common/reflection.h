// Windows tells a control's parent, not the control, about the control: its
// notifications, its owner drawing, its scrolling and the colours it is to
// paint with. Every container unit (the window, the picture box) sends each
// of these messages straight back to the control it concerns, as the
// message plus kReflectedBase with the same wParam and lParam, so that a
// unit wrapping a system control keeps all of its own behaviour in its own
// procedure, whichever container it sits on.
//
//   from the control                the control is          reflected as
//   WM_COMMAND                      lParam (0: a menu)      kReflectedCommand
//   WM_NOTIFY                       NMHDR::hwndFrom         kReflectedNotify
//   WM_DRAWITEM                     DRAWITEMSTRUCT::hwndItem kReflectedDrawItem
//   WM_MEASUREITEM                  the child of CtlID      kReflectedMeasureItem
//   WM_HSCROLL, WM_VSCROLL          lParam (0: the          kReflectedHScroll,
//                                   container's own bars)   kReflectedVScroll
//   WM_CTLCOLORMSGBOX .. WM_CTLCOLORSTATIC  lParam          Reflected(message),
//                                                           e.g. kReflectedCtlColorEdit
//
// Owner-drawn menu items (CtlType ODT_MENU) are not reflected. Only a
// window inside the container is sent anything: mostly a direct child, but
// an edit box moved into a picture box still tells the window, where it was
// created.
//
// The control's answer: non-zero claims the message and is what the
// container returns to Windows (a brush for the colour messages, TRUE for
// owner drawing). 0 leaves the message to the container's default
// processing, which for the colour messages gives the system's default
// colours. A control that does not know a reflected message thus changes
// nothing.
#pragma once

#include <windows.h>

constexpr UINT kReflectedBase = 0x2000;  // WM_USER + 0x1C00
constexpr UINT Reflected(UINT message) { return kReflectedBase + message; }

constexpr UINT kReflectedCommand = Reflected(WM_COMMAND);
constexpr UINT kReflectedNotify = Reflected(WM_NOTIFY);
constexpr UINT kReflectedDrawItem = Reflected(WM_DRAWITEM);
constexpr UINT kReflectedMeasureItem = Reflected(WM_MEASUREITEM);
constexpr UINT kReflectedHScroll = Reflected(WM_HSCROLL);
constexpr UINT kReflectedVScroll = Reflected(WM_VSCROLL);
constexpr UINT kReflectedCtlColorEdit = Reflected(WM_CTLCOLOREDIT);
constexpr UINT kReflectedCtlColorListBox = Reflected(WM_CTLCOLORLISTBOX);
constexpr UINT kReflectedCtlColorButton = Reflected(WM_CTLCOLORBTN);
constexpr UINT kReflectedCtlColorScrollBar = Reflected(WM_CTLCOLORSCROLLBAR);
constexpr UINT kReflectedCtlColorStatic = Reflected(WM_CTLCOLORSTATIC);

// For the container's window procedure: when `message` is one of the
// messages above and the control it concerns lies inside `container`,
// sends it the reflected message and answers true with `*result` set when
// the control claimed it. False leaves the message to the container.
bool ReflectToControl(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
