#include "tests/wine/widgets/unit_host.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "frame/app_state.h"
#include "frame/event_record.h"
#include "frame/window_list.h"
#include "frame/window_loader.h"
#include "frame/window_services.h"
#include "support/real_input.h"

namespace {

void RecordEvent(EventRecord& event) { RaisedEvents().push_back({event.unit, event.event}); }

}  // namespace

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
  return UnitRecord(identifier, kHostWindowType, left, top, width, height, kUnitVisible,
                    HostWindowBlock(backColor));
}

HostedWindow::HostedWindow(uint32_t windowId, std::vector<TemplateRecord> records)
    : windowId_(windowId) {
  App().unitClasses = ProgramUnitClasses();
  std::unique_ptr<WindowEntry> entry(new WindowEntry);
  entry->window.identifier = int32_t(windowId);
  entry->window.kind = 1;
  entry->window.records = std::move(records);
  WindowEntry* raw = entry.get();
  WindowList().push_back(std::move(entry));
  loaded_ = LoadWindowFromTemplate(raw, nullptr, false);
  DispatchUntilIdle();
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
  DispatchUntilIdle();
}

HWND HostedWindow::Window() const { return FindUnitWindow(WindowId{windowId_}); }
HWND HostedWindow::Unit(uint32_t unitId) const {
  return FindUnitWindow(UnitRef{WindowId{windowId_}, UnitId{unitId}});
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
