#include "widgets/common/unit_look.h"

#include <cstddef>
#include <cstring>

#include "services/wide_text.h"
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
  DWORD exStyle = DWORD(GetWindowLongW(hwnd, GWL_EXSTYLE)) & ~kBorderExStyles;
  DWORD style = DWORD(GetWindowLongW(hwnd, GWL_STYLE)) & ~DWORD(WS_BORDER);
  switch (border) {
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
  SetWindowLongW(hwnd, GWL_EXSTYLE, LONG(exStyle));
  SetWindowLongW(hwnd, GWL_STYLE, LONG(style));
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void UnitFont::Set(const Bytes& record) {
  own_.Reset();
  if (record.size() != kLogFontSize) return;
  LOGFONTA stored;
  memcpy(&stored, record.data(), kLogFontSize);
  // The wide record: the same numbers (the fields before the face name are
  // laid out alike), and the face name converted. One without its
  // terminator ends at its field's end.
  LOGFONTW font{};
  static_assert(offsetof(LOGFONTA, lfFaceName) == offsetof(LOGFONTW, lfFaceName),
                "the fields before the face name are alike");
  memcpy(&font, &stored, offsetof(LOGFONTA, lfFaceName));
  const WideText face(stored.lfFaceName, strnlen(stored.lfFaceName, LF_FACESIZE - 1));
  memcpy(font.lfFaceName, face.c_str(), sizeof(wchar_t) * size_t(face.Length()));
  own_.Reset(CreateFontIndirectW(&font));
}

HFONT UnitFont::Get() const { return own_ ? own_.Get() : HFONT(GetStockObject(DEFAULT_GUI_FONT)); }
