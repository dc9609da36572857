// Small owners for the GDI objects of the units, so that every early return
// and every replacement releases what was made.
#pragma once

#include <windows.h>

// A bitmap, brush, font, pen or region: DeleteObject when replaced or gone.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }
  Handle Release() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  Handle handle_ = nullptr;
};

using BitmapOwner = GdiObject<HBITMAP>;
using BrushOwner = GdiObject<HBRUSH>;
using FontOwner = GdiObject<HFONT>;
using RegionOwner = GdiObject<HRGN>;

// A memory device context compatible with `hdc` (the screen for nullptr),
// with one object selected into it and put back at the end.
class MemoryDc {
 public:
  explicit MemoryDc(HDC hdc) : dc_(CreateCompatibleDC(hdc)) {}
  ~MemoryDc() {
    if (previous_) SelectObject(dc_, previous_);
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC Get() const { return dc_; }
  void Select(HGDIOBJ object) {
    HGDIOBJ old = SelectObject(dc_, object);
    if (!previous_) previous_ = old;
  }

 private:
  HDC dc_;
  HGDIOBJ previous_ = nullptr;
};

// An object selected into a device context for a scope.
class Selected {
 public:
  Selected(HDC hdc, HGDIOBJ object) : dc_(hdc), previous_(SelectObject(hdc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
