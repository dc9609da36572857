// Widget units hosted in the test program itself: a window of test records
// is loaded by the frame's own loader (so the units are the frame's, raise
// their events to handlers bound in the records and read their window's
// properties through the frame), and the test drives it with real input,
// dispatching the messages itself between steps.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "frame/template/template_records.h"
#include "frame/unit_class.h"
#include "support/dib_surface.h"
#include "tests/wine/frame/test_records.h"
#include "tests/wine/widgets/host_window/host_window.h"

// The events that units raised, in order, through handlers bound with
// BindRecorder.
struct RaisedEvent {
  uint32_t unit = 0;
  int32_t event = 0;
};
std::vector<RaisedEvent>& RaisedEvents();
int CountRaised(uint32_t unit, int32_t event);
// Binds `event` of the record to the handler that records it.
void BindRecorder(TemplateRecord* record, int32_t event);

// The host window's own record: at (left, top) on the screen.
TemplateRecord HostWindowRecord(uint32_t identifier, int left, int top, int width, int height,
                                uint32_t backColor);

// One loaded window of test records, destroyed and taken out of the frame's
// window list at the end of the scope.
class HostedWindow {
 public:
  // records[0] is the window's own record.
  HostedWindow(uint32_t windowId, std::vector<TemplateRecord> records);
  ~HostedWindow();
  HostedWindow(const HostedWindow&) = delete;
  HostedWindow& operator=(const HostedWindow&) = delete;

  bool Loaded() const { return loaded_; }
  uint32_t Id() const { return windowId_; }
  HWND Window() const;
  HWND Unit(uint32_t unitId) const;

 private:
  uint32_t windowId_;
  bool loaded_ = false;
};

// A unit's client area as WM_PRINTCLIENT draws it into a 32-bit bitmap.
class Rendering {
 public:
  explicit Rendering(HWND hwnd);
  int Width() const { return pixels_.width; }
  int Height() const { return pixels_.height; }
  COLORREF At(int x, int y) const { return pixels_.At(x, y); }
  bool operator==(const Rendering& other) const { return pixels_ == other.pixels_; }

 private:
  SurfacePixels pixels_;
};
