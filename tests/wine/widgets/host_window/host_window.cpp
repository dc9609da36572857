// A plain top-level host window for the widget tests: a topmost popup
// filled with its BackColor.
#include "tests/wine/widgets/host_window/host_window.h"

#include "widgets/common/property_block.h"
#include "widgets/common/property_fields.h"
#include "widgets/common/unit_look.h"

namespace {

const char kHostClassName[] = "MorvaneWidgetTestHost";

struct HostProperties {
  uint32_t backColor = kDefaultColour;
};

void ClampHostProperties(HostProperties*) {}

constexpr PropertyField kHostFields[] = {
    Field<&HostProperties::backColor>(0, "BackColor", PropertyForm::Colour),
};

const UnitDescription kHostDescription = Describe<HostProperties, ClampHostProperties>(
    "WidgetTestHost", kHostWindowType, kHostFields, 1);
const UnitDescription& DescriptionOf(const HostProperties&) { return kHostDescription; }

HostProperties* HostOf(HWND hwnd) {
  return reinterpret_cast<HostProperties*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                        LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_ERASEBKGND:
      if (HostProperties* host = HostOf(hwnd)) {
        RECT client;
        GetClientRect(hwnd, &client);
        HBRUSH brush = CreateSolidBrush(ColourOrDefault(host->backColor));
        FillRect(HDC(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
      }
      break;
    case WM_NCDESTROY:
      delete HostOf(hwnd);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND CreateHost(const UnitCreateArgs& args) {
  static const ATOM registered = [] {
    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = HostProc;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    hostClass.lpszClassName = kHostClassName;
    return RegisterClassA(&hostClass);
  }();
  if (!registered) return nullptr;
  HostProperties* host = new HostProperties;
  ReadProperties(args.properties, host);
  HWND hwnd =
      CreateWindowExA(WS_EX_TOPMOST, kHostClassName, "widget test",
                      WS_POPUP | WS_CLIPCHILDREN | args.style, args.left, args.top, args.width,
                      args.height, nullptr, nullptr, GetModuleHandleA(nullptr), host);
  if (!hwnd) delete host;
  return hwnd;
}

void* HostPropertiesOf(HWND hwnd) { return HostOf(hwnd); }

constexpr UnitOperations MakeHostOperations() {
  UnitOperations operations;
  operations.description = &kHostDescription;
  operations.create = CreateHost;
  operations.properties = HostPropertiesOf;
  operations.isContainer = true;
  return operations;
}

}  // namespace

const UnitOperations kHostWindowUnit = MakeHostOperations();

Bytes HostWindowBlock(uint32_t backColor) {
  HostProperties properties;
  properties.backColor = backColor;
  Bytes block;
  WriteProperties(properties, &block);
  return block;
}
