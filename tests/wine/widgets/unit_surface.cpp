#include "widgets/unit_surface.h"

#include <cstring>

#include "support/gui_driver.h"

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

Pixels PixelsOf(const SurfacePixels& read) {
  Pixels pixels;
  pixels.width = read.width;
  pixels.height = read.height;
  pixels.colours.reserve(read.pixels.size());
  for (int y = 0; y < read.height; ++y)
    for (int x = 0; x < read.width; ++x) pixels.colours.push_back(read.At(x, y));
  return pixels;
}

Pixels RenderClient(HWND hwnd, COLORREF background) {
  return PixelsOf(PrintClient(hwnd, background));
}

Pixels ReadScreen(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  const POINT origin = OnScreen(hwnd, 0, 0);
  return PixelsOf(CaptureScreenArea(
      RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom}));
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
