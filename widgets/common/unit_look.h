// What the units share in how they look: colours with a default, the unit
// border styles 0 to 5, and the font of a 60-byte LOGFONTA record.
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame/template/byte_cursor.h"
#include "widgets/common/gdi_owners.h"

// A colour-or-default property: 0xFF000000 stands for COLOR_BTNFACE.
COLORREF ColourOrDefault(uint32_t colour);
// A brush of a colour-or-default property, in place of the one `brush` held.
void MakeBackBrush(BrushOwner* brush, uint32_t colour);
// A colour-or-transparent property: 0xFF000000 stands for no colour.
inline bool IsNoColour(uint32_t colour) { return colour == 0xFF000000; }

// The unit border styles: WS_EX_CLIENTEDGE, WS_EX_DLGMODALFRAME,
// WS_EX_STATICEDGE and WS_BORDER are removed, then
//   0 none   1 WS_EX_CLIENTEDGE   2 WS_EX_DLGMODALFRAME   3 WS_EX_STATICEDGE
//   4 WS_EX_CLIENTEDGE and WS_EX_DLGMODALFRAME           5 WS_BORDER
// and the frame is redrawn at once. The classes' tables keep their border
// values within 0..5.
void ApplyUnitBorder(HWND hwnd, int32_t border);

// The font of a font property: the record when it holds exactly 60 bytes and
// CreateFontIndirectW accepts them as a LOGFONTW (the face name converted
// from code page 936), else the stock DEFAULT_GUI_FONT.
class UnitFont {
 public:
  void Set(const Bytes& record);
  // The font to select: the record's, or DEFAULT_GUI_FONT.
  HFONT Get() const;

 private:
  FontOwner own_;
};
