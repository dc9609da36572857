// The own properties of the window unit (window) and their stored block: the
// record a window is created from and written back to. The block is the
// property block of a window's own record (record 0). Pure code.
//
// Property block (see widgets/common/property_block.h for the forms)
//   order  width          field                    present
//   1      int32          version                  always; 6 when written,
//                                                  above 6 refused
//   2      int32          BorderStyle              always
//   3      int32          BackPictureMode          always
//   4      int32          BackColor                always
//   5      int32          MaxButton                always
//   6      int32          MinButton                always
//   7      int32          ControlBox               always
//   8      int32          StartPosition            always
//   9      int32          Movable                  always
//   10     int32          SoundRepeat              always
//   11     int32          EnterMovesFocus          always
//   12     int32          EscCloses                always
//   13     int32          F1OpensHelp              always
//   14     int32          HelpContext              always
//   15     int32          ShowInTaskbar            from version 2
//   16     int32          DragAnywhere             from version 3
//   17     int32          Shape                    from version 3
//   18     int32          AlwaysOnTop              from version 4
//   19     int32          unit index 22            from version 5
//   20     counted text   ClassName                version 6
//   21     counted block  BackPicture              always
//   22     counted block  Icon                     always
//   23     counted block  BackSound                always
//   24     counted text   Caption                  always
//   25     counted text   HelpFile                 always
// Fields that an older version lacks keep their defaults.
#pragma once

#include <cstdint>

#include "frame/unit_description.h"
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

// Each clamps to its choices: BorderStyle 0..6, BackPictureMode 0..3,
// StartPosition 0..3.
void SetWindowBorderStyle(WindowProperties* properties, int32_t value);
void SetWindowBackPictureMode(WindowProperties* properties, int32_t value);
void SetWindowStartPosition(WindowProperties* properties, int32_t value);
// Brings every clamped property into its range through its setter; for
// values that came from a block.
void ClampWindowProperties(WindowProperties* properties);

// Resets `out` to the class defaults, then reads `block` into it. False for a
// version above 6 or a block that ends inside a field (`out` then holds the
// defaults).
bool ReadWindowProperties(ByteBlock block, WindowProperties* out);
// Every property as a block of the current version.
bool WriteWindowProperties(const WindowProperties& properties, Bytes* out);

// The class: its name, type reference and property table.
extern const UnitDescription kWindowDescription;
