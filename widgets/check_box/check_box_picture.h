// The picture a check box shows instead of its caption: decoded once when
// the unit is created (a new Picture re-creates the unit), handed to the
// control as an icon (icons and cursors, BS_ICON) or a bitmap (every other
// kind, BS_BITMAP, PNG blended against BackColor), and freed with the unit.
// The control only borrows what it shows.
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame/template/byte_cursor.h"
#include "widgets/image/image.h"

class CheckBoxPicture {
 public:
  CheckBoxPicture() = default;
  ~CheckBoxPicture() { ReleasePreparedImage(&prepared_); }
  CheckBoxPicture(const CheckBoxPicture&) = delete;
  CheckBoxPicture& operator=(const CheckBoxPicture&) = delete;

  // Decodes and prepares `file`; an empty or undecodable file leaves no
  // picture, and the caption is shown.
  void Load(const Bytes& file, uint32_t backColor);
  // BS_ICON, BS_BITMAP, or 0 without a picture.
  DWORD Style() const;
  // Hands the picture to the control created with Style().
  void Show(HWND hwnd) const;

 private:
  OwnedImage image_;
  PreparedImage prepared_;
};
