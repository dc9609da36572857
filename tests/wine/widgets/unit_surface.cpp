#include "widgets/unit_surface.h"

#include <cstring>

namespace {

const char kSurfaceClass[] = "MorvaneTestSurface";

LRESULT CALLBACK SurfaceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH brush = CreateSolidBrush(COLORREF(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
    FillRect(HDC(wParam), &client, brush);
    DeleteObject(brush);
    return 1;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeSurface(DWORD exStyle, DWORD style, COLORREF colour, HWND parent, const RECT& rect) {
  static const ATOM registered = [] {
    WNDCLASSA surfaceClass{};
    surfaceClass.lpfnWndProc = SurfaceProc;
    surfaceClass.hInstance = GetModuleHandleA(nullptr);
    surfaceClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    surfaceClass.lpszClassName = kSurfaceClass;
    return RegisterClassA(&surfaceClass);
  }();
  if (!registered) return nullptr;
  HWND hwnd = CreateWindowExA(exStyle, kSurfaceClass, "", style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return nullptr;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(colour));
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  return hwnd;
}

}  // namespace

HWND MakeSurfaceWindow(COLORREF colour, int width, int height) {
  return MakeSurface(WS_EX_TOPMOST, WS_POPUP | WS_CLIPCHILDREN, colour, nullptr,
                     RECT{40, 40, 40 + width, 40 + height});
}

HWND MakeSurfacePanel(HWND parent, COLORREF colour, const RECT& rect) {
  return MakeSurface(0, WS_CHILD | WS_CLIPSIBLINGS, colour, parent, rect);
}

HWND CreateUnitFromBlock(const UnitOperations& unit, const Bytes& block, HWND parent,
                         const RECT& rect, bool visible) {
  UnitCreateArgs args;
  args.properties = ViewOf(block);
  args.style = visible ? WS_VISIBLE : 0;
  args.parent = parent;
  args.controlId = 100;
  args.left = rect.left;
  args.top = rect.top;
  args.width = rect.right - rect.left;
  args.height = rect.bottom - rect.top;
  args.identity = UnitIdentity{0x52000001, 0x16000001};
  HWND hwnd = unit.create(args);
  if (hwnd && visible) UpdateWindow(hwnd);
  return hwnd;
}

bool WriteProperty(const UnitOperations& unit, HWND hwnd, int unitIndex, const Value& value) {
  const PropertyField* field = FieldAt(*unit.description, unitIndex);
  if (!field) return false;
  void* record = unit.properties(hwnd);
  field->Set(record, value);
  ClampProperties(*unit.description, record);
  return unit.propertyChanged(hwnd, unitIndex, value);
}

int Pixels::CountOtherThan(uint32_t colour, int left, int top, int right, int bottom) const {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) count += At(x, y) != colour;
  return count;
}

Canvas::Canvas(int width_, int height_, COLORREF background) : width(width_), height(height_) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc = CreateCompatibleDC(nullptr);
  bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  previous = SelectObject(dc, bitmap);
  RECT all{0, 0, width, height};
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
}

Canvas::~Canvas() {
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

Pixels Canvas::Read() const {
  Pixels pixels;
  pixels.width = width;
  pixels.height = height;
  pixels.colours.resize(size_t(width) * size_t(height));
  const uint8_t* bgra = static_cast<const uint8_t*>(bits);
  for (size_t i = 0; i < pixels.colours.size(); ++i)
    pixels.colours[i] = RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]);
  return pixels;
}

Pixels RenderClient(HWND hwnd, COLORREF background) {
  RECT client;
  GetClientRect(hwnd, &client);
  return RenderWith(client.right, client.bottom, background, [hwnd](HDC hdc) {
    SendMessageA(hwnd, WM_PRINTCLIENT, WPARAM(hdc), PRF_CLIENT);
  });
}

Pixels ReadScreen(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  HDC screen = GetDC(nullptr);
  Pixels pixels = RenderWith(client.right, client.bottom, RGB(0, 0, 0), [&](HDC hdc) {
    BitBlt(hdc, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
  });
  ReleaseDC(nullptr, screen);
  return pixels;
}

Bytes SharpFont(int height, int weight) {
  LOGFONTA font{};
  font.lfHeight = -height;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = NONANTIALIASED_QUALITY;
  strcpy(font.lfFaceName, "Tahoma");
  Bytes record(sizeof font);
  memcpy(record.data(), &font, sizeof font);
  return record;
}
