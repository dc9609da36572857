// The own properties of the window unit (window) and their stored block: the
// record a window is created from and written back to. The block is the
// property block of a window's own record (record 0). Pure code.
#pragma once

#include <cstdint>

#include "widgets/common/property_block.h"

constexpr int32_t kWindowBlockVersion = 6;

// Unit indexes (property table index - 8).
enum WindowProperty : int {
  kWindowCaption,
  kWindowBorderStyle,
  kWindowBackColor,
  kWindowBackPicture,
  kWindowBackPictureMode,
  kWindowBackSound,
  kWindowSoundRepeat,
  kWindowControlBox,
  kWindowMaxButton,
  kWindowMinButton,
  kWindowStartPosition,
  kWindowMovable,
  kWindowIcon,
  kWindowEnterMovesFocus,
  kWindowEscCloses,
  kWindowF1OpensHelp,
  kWindowHelpFile,
  kWindowHelpContext,
  kWindowShowInTaskbar,
  kWindowDragAnywhere,
  kWindowShape,
  kWindowAlwaysOnTop,
  kWindowStoredOnly,
  kWindowClassName,
  kWindowPropertyCount,
};

// StartPosition: where the window first shows, and what a write at run time
// does to it.
enum StartPosition : int32_t {
  kStartStored = 0,
  kStartCentred = 1,
  kStartMinimised = 2,
  kStartMaximised = 3,
};

struct WindowProperties {
  Text caption;
  int32_t borderStyle = 2;  // 0 none .. 6, see the window unit
  uint32_t backColor = kDefaultColour;
  Bytes backPicture;
  int32_t backPictureMode = 1;  // 0 top-left, 1 tiled, 2 fitted, 3 stretched
  Bytes backSound;
  int32_t soundRepeat = 0;  // 0 looped, 1 once, 2 not started automatically
  bool controlBox = true;
  bool maxButton = false;
  bool minButton = true;
  int32_t startPosition = 1;  // 0 stored, 1 centred, 2 minimised, 3 maximised
  bool movable = true;
  Bytes icon;
  bool enterMovesFocus = false;
  bool escCloses = true;
  bool f1OpensHelp = false;
  Text helpFile;
  int32_t helpContext = 0;
  bool showInTaskbar = true;
  bool dragAnywhere = false;
  int32_t shape = 0;  // 0 rectangle, 1 ellipse, further outlines up to 29
  bool alwaysOnTop = false;
  bool storedOnly = false;  // unit index 22: kept and returned, no behaviour
  Text className;           // empty: the system's own window class name
};

// The class: its name, type reference and property table, which gives the
// stored block's fields in their order. ReadProperties and WriteProperties
// (frame/property_codec.h) read and write a block of the record.
extern const UnitDescription kWindowDescription;
inline const UnitDescription& DescriptionOf(const WindowProperties&) { return kWindowDescription; }
