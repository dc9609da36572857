// Small owners for Win32 handles and COM pointers, so that every early
// return closes what was opened.
#pragma once

#include <windows.h>

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : handle_(h) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }
  // Gives the handle up to the caller, who closes it.
  HANDLE Release() {
    HANDLE h = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return h;
  }
  // Closes what it holds and takes `h` in its place.
  void Reset(HANDLE h) {
    Close();
    handle_ = h;
  }
  // Closes now and reports whether CloseHandle succeeded.
  bool Close() {
    if (!IsValid()) return false;
    BOOL ok = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return ok != FALSE;
  }

 private:
  HANDLE handle_;
};

class RegKey {
 public:
  RegKey() = default;
  ~RegKey() {
    if (hkey_) RegCloseKey(hkey_);
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  HKEY Get() const { return hkey_; }
  HKEY* Receive() { return &hkey_; }

 private:
  HKEY hkey_ = nullptr;
};

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (ptr_) ptr_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* Get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  void** Receive() { return reinterpret_cast<void**>(&ptr_); }

 private:
  T* ptr_ = nullptr;
};
