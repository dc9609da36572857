#include "tests/wine/widgets/unit_host.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "frame/app_state.h"
#include "frame/event_record.h"
#include "frame/frame_interface.h"
#include "frame/window_list.h"
#include "frame/window_loader.h"
#include "services/little_endian.h"
#include "tests/wine/frame/test_pad/test_pad.h"
#include "widgets/common/property_fields.h"
#include "widgets/common/unit_look.h"
#include "widgets/common/unit_window.h"
#include "widgets/hyperlinker/hyperlinker.h"
#include "widgets/pic_btn/pic_btn.h"

namespace {

const char kHostClassName[] = "MorvaneWidgetTestHost";

struct HostProperties {
  uint32_t backColor = kDefaultColour;
};

bool ReadHostProperties(ByteBlock block, HostProperties* out) {
  *out = HostProperties{};
  if (block.size < 4) return block.size == 0;
  out->backColor = LoadLe32(block.data);
  return true;
}

bool WriteHostProperties(const HostProperties& properties, Bytes* out) {
  out->assign(4, 0);
  StoreLe32(properties.backColor, out->data());
  return true;
}

void ClampHostProperties(HostProperties*) {}

const PropertyField kHostFields[] = {
    Field<&HostProperties::backColor>("BackColor", PropertyForm::Colour),
};

const UnitDescription kHostDescription =
    Describe<HostProperties, ReadHostProperties, WriteHostProperties, ClampHostProperties>(
        "WidgetTestHost", kHostWindowType, kHostFields, 1);

struct Host {
  HostProperties properties;
};

LRESULT HostProc(HWND hwnd, Host* host, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      BrushOwner brush;
      MakeBackBrush(&brush, host->properties.backColor);
      FillRect(HDC(wParam), &client, brush.Get());
      return 1;
    }
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

HWND CreateHost(const UnitCreateArgs& args) {
  std::unique_ptr<Host> host(new Host);
  ReadHostProperties(args.properties, &host->properties);
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
  UnitOperations operations;
  operations.description = &kHostDescription;
  operations.create = CreateHost;
  operations.properties = UnitPropertiesOf<Host>;
  operations.isContainer = true;
  return operations;
}

const UnitOperations* const kClasses[] = {&kHostWindowUnit, &kPicBtnUnit, &kHyperLinkerUnit,
                                          &kTestPadUnit};

void RecordEvent(EventRecord& event) { RaisedEvents().push_back({event.unit, event.event}); }

}  // namespace

const UnitOperations kHostWindowUnit = MakeHostOperations();

std::vector<RaisedEvent>& RaisedEvents() {
  static std::vector<RaisedEvent> events;
  return events;
}

int CountRaised(uint32_t unit, int32_t event) {
  return int(std::count_if(RaisedEvents().begin(), RaisedEvents().end(), [&](const RaisedEvent& e) {
    return e.unit == unit && e.event == event;
  }));
}

void BindRecorder(TemplateRecord* record, int32_t event) {
  Binding binding;
  binding.event = event;
  binding.reference = 1;
  binding.handler = RecordEvent;
  record->bindings.push_back(binding);
}

TemplateRecord UnitRecord(uint32_t identifier, uint32_t type, int left, int top, int width,
                          int height, uint32_t flags, const Bytes& properties) {
  TemplateRecord record;
  record.identifier = int32_t(identifier);
  record.typeReference = int32_t(type);
  record.left = left;
  record.top = top;
  record.width = width;
  record.height = height;
  record.flags = flags;
  record.properties = properties;
  return record;
}

TemplateRecord HostWindowRecord(uint32_t identifier, int left, int top, int width, int height,
                                uint32_t backColor) {
  HostProperties properties;
  properties.backColor = backColor;
  Bytes block;
  WriteHostProperties(properties, &block);
  return UnitRecord(identifier, kHostWindowType, left, top, width, height, kUnitVisible, block);
}

HostedWindow::HostedWindow(uint32_t windowId, std::vector<TemplateRecord> records)
    : windowId_(windowId) {
  App().unitClasses = UnitClassList{kClasses, sizeof kClasses / sizeof kClasses[0]};
  std::unique_ptr<WindowEntry> entry(new WindowEntry);
  entry->window.identifier = int32_t(windowId);
  entry->window.kind = 1;
  entry->window.records = std::move(records);
  WindowEntry* raw = entry.get();
  WindowList().push_back(std::move(entry));
  loaded_ = LoadWindowFromTemplate(raw, nullptr, false);
  Pump(200);
}

HostedWindow::~HostedWindow() {
  if (HWND hwnd = Window()) DestroyWindow(hwnd);
  auto& list = WindowList();
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (uint32_t((*it)->window.identifier) == windowId_) {
      list.erase(it);
      break;
    }
  }
  Pump(50);
}

HWND HostedWindow::Window() const { return FindUnitWindow(windowId_, 0); }
HWND HostedWindow::Unit(uint32_t unitId) const { return FindUnitWindow(windowId_, unitId); }

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  } while (GetTickCount() - start < ms);
}

POINT OnScreen(HWND hwnd, int x, int y) {
  POINT point{x, y};
  ClientToScreen(hwnd, &point);
  return point;
}

Rendering::Rendering(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  width_ = client.right;
  height_ = client.bottom;
  if (width_ <= 0 || height_ <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc && bitmap && bits) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    // Magenta, which no test unit paints, so that an unpainted pixel shows.
    std::fill_n(static_cast<uint32_t*>(bits), size_t(width_) * height_, 0x00FF00FFu);
    SendMessageA(hwnd, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
    GdiFlush();
    const uint32_t* first = static_cast<const uint32_t*>(bits);
    pixels_.assign(first, first + size_t(width_) * height_);
    SelectObject(dc, old);
  }
  if (bitmap) DeleteObject(bitmap);
  if (dc) DeleteDC(dc);
}

COLORREF Rendering::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty()) return CLR_INVALID;
  const uint32_t p = pixels_[size_t(y) * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Rendering::operator==(const Rendering& other) const {
  if (width_ != other.width_ || height_ != other.height_) return false;
  for (size_t i = 0; i < pixels_.size(); ++i)
    if ((pixels_[i] & 0xFFFFFF) != (other.pixels_[i] & 0xFFFFFF)) return false;
  return true;
}
