#pragma once

#include <objbase.h>
#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

// Small owners of Win32 handles, one concern each: whatever is acquired here
// is released on every path out of the scope that holds it.
namespace orvo::win32 {

template <class Handle, auto Free>
struct HandleFree {
  void operator()(Handle handle) const { Free(handle); }
};
template <class Handle, auto Free>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleFree<Handle, Free>>;

using UniqueWindow = UniqueHandle<HWND, &DestroyWindow>;
using UniqueMenu = UniqueHandle<HMENU, &DestroyMenu>;
using UniqueGlobal = UniqueHandle<HGLOBAL, &GlobalFree>;
using UniqueFont = UniqueHandle<HFONT, &DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, &DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, &DeleteObject>;
using UniquePen = UniqueHandle<HPEN, &DeleteObject>;
using UniqueDc = UniqueHandle<HDC, &DeleteDC>;  // from CreateCompatibleDC

// The screen's device context, for metrics and compatible bitmaps.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }
  // Dots per inch across (LOGPIXELSX) or down (LOGPIXELSY); 96 without a screen.
  int Dpi(int axis) const { return dc_ != nullptr ? GetDeviceCaps(dc_, axis) : 96; }

 private:
  HDC dc_;
};

// An object selected into a device context until the end of the scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() {
    if (old_ != nullptr) SelectObject(dc_, old_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// BeginPaint and EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
  ~PaintScope() { EndPaint(hwnd_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// This thread in a single-threaded COM apartment for the scope; a thread
// already in one stays there.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  bool Entered() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

// A file handle (CreateFileW), INVALID_HANDLE_VALUE when none.
class UniqueFile {
 public:
  explicit UniqueFile(HANDLE handle) : handle_(handle) {}
  ~UniqueFile() {
    if (ok()) CloseHandle(handle_);
  }
  UniqueFile(const UniqueFile&) = delete;
  UniqueFile& operator=(const UniqueFile&) = delete;
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace orvo::win32
