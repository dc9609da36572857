// What the files of the window unit share: its state record, hung off the
// window's GWLP_USERDATA, and the steps that more than one of them takes.
#pragma once

#include <windows.h>

#include "frame/unit_class.h"
#include "widgets/common/accessible.h"
#include "widgets/common/gdi_owners.h"
#include "widgets/common/unit_window.h"
#include "widgets/image/image.h"
#include "widgets/window/window_properties.h"

struct WindowUnit : UnitState<WindowProperties> {
  // The client area to screen readers, named by its caption where the
  // program gives it no name, and closed as its close box closes it.
  static const AccessibleFacts kAccessible;
  // Paints the background only (window_background.cpp).
  static void Paint(HWND hwnd, WindowUnit& window, const PaintRequest& request);
  // The background picture, decoded on the first paint that needs it and
  // kept until the picture changes; `backPictureTried` keeps a picture that
  // does not decode from being decoded again at every paint.
  OwnedImage backPicture;
  bool backPictureTried = false;
  // The icons made from the Icon property; with none, the program's own
  // (a shared resource, not destroyed).
  OwnedImage bigIcon;
  OwnedImage smallIcon;
  HFONT font = nullptr;  // the stock DEFAULT_GUI_FONT, not owned
};

inline WindowUnit* WindowStateOf(HWND hwnd) { return UnitStateOf<WindowUnit>(hwnd); }

// window.cpp: the system moves `window` while the left button stays down,
// as for a press on a caption at `pressedAt` (screen coordinates); it
// returns when the button is released. Called while the press is the
// message this thread took last.
void StartWindowDrag(HWND window, POINT pressedAt);

// window_keys.cpp: the window's pre-translation of a message for it or one
// of its units, whose class is `target` (DragAnywhere and the keyboard
// conveniences); true consumes the message.
bool PreTranslateWindowMessage(HWND window, MSG* message, const UnitOperations* target);
