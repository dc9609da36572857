#include "widgets/common/unit_look.h"

#include <cstring>

#include "services/clamp.h"
#include "widgets/common/property_block.h"

namespace {
constexpr DWORD kBorderExStyles = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
static_assert(sizeof(LOGFONTA) == kLogFontSize, "a font record is a LOGFONTA");
}  // namespace

COLORREF ColourOrDefault(uint32_t colour) {
  return colour == 0xFF000000 ? GetSysColor(COLOR_BTNFACE) : COLORREF(colour);
}

void MakeBackBrush(BrushOwner* brush, uint32_t colour) {
  brush->Reset(CreateSolidBrush(ColourOrDefault(colour)));
}

void ApplyUnitBorder(HWND hwnd, int32_t border) {
  DWORD exStyle = DWORD(GetWindowLongA(hwnd, GWL_EXSTYLE)) & ~kBorderExStyles;
  DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE)) & ~DWORD(WS_BORDER);
  switch (Clamp(border, 0, 5)) {
    case 1:
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case 2:
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case 3:
      exStyle |= WS_EX_STATICEDGE;
      break;
    case 4:
      exStyle |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
      break;
    case 5:
      style |= WS_BORDER;
      break;
  }
  SetWindowLongA(hwnd, GWL_EXSTYLE, LONG(exStyle));
  SetWindowLongA(hwnd, GWL_STYLE, LONG(style));
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void UnitFont::Set(const Bytes& record) {
  own_.Reset();
  if (record.size() != kLogFontSize) return;
  LOGFONTA font;
  memcpy(&font, record.data(), kLogFontSize);
  // A face name without its terminator must not be read past its field.
  font.lfFaceName[LF_FACESIZE - 1] = '\0';
  own_.Reset(CreateFontIndirectA(&font));
}

HFONT UnitFont::Get() const { return own_ ? own_.Get() : HFONT(GetStockObject(DEFAULT_GUI_FONT)); }
