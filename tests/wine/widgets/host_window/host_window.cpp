// A plain top-level host window for the widget tests: a topmost popup
// filled with its BackColor.
#include "tests/wine/widgets/host_window/host_window.h"

#include "widgets/common/property_block.h"
#include "widgets/common/property_fields.h"
#include "widgets/common/unit_look.h"
#include "widgets/common/unit_window.h"

namespace {

const char kHostClassName[] = "MorvaneWidgetTestHost";

struct HostProperties {
  uint32_t backColor = kDefaultColour;
};

constexpr PropertyField kHostFields[] = {
    Field<&HostProperties::backColor>(0, "BackColor", PropertyForm::Colour),
};

const UnitDescription kHostDescription =
    Describe<HostProperties>("WidgetTestHost", kHostWindowType, kHostFields, 1);
const UnitDescription& DescriptionOf(const HostProperties&) { return kHostDescription; }

struct Host {
  HostProperties properties;
  UnitLink link;
};

LRESULT HostProc(HWND hwnd, Host* host, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(hwnd, &client);
    BrushOwner brush;
    MakeBackBrush(&brush, host->properties.backColor);
    FillRect(HDC(wParam), &client, brush.Get());
    return 1;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateHost(const UnitCreateArgs& args) {
  std::unique_ptr<Host> host(new Host);
  ReadProperties(args.properties, &host->properties);
  UnitWindowClass hostClass;
  hostClass.name = kHostClassName;
  hostClass.style = 0;
  UnitCreateArgs placed = args;
  placed.parent = nullptr;
  UnitWindowStyle style;
  style.text = "widget test";
  style.style = WS_POPUP | WS_CLIPCHILDREN;
  style.exStyle = WS_EX_TOPMOST;
  return CreateUnitWindow<Host, HostProc>(hostClass, placed, style, std::move(host));
}

constexpr UnitOperations MakeHostOperations() {
  UnitOperations operations = UnitClassOperations<Host>(kHostDescription, CreateHost, nullptr);
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
