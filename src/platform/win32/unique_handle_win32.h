#pragma once
// Owners for every Windows resource the program takes: each is freed exactly
// once, by the function that frees its kind, when its owner goes. An owner is
// one line below; nothing else in the program calls those functions, nor casts
// a handle to a GDI type.

#include <windows.h>

#include <utility>

namespace orvando::win32 {

// A move-only owner of `H`, freed by `Free`. A handle equal to null, or to
// `Invalid` (INVALID_HANDLE_VALUE is -1), is none.
template <typename H, auto Free, INT_PTR Invalid = 0>
class Unique {
 public:
  Unique() = default;
  explicit Unique(H h) : h_(h) {}
  ~Unique() { reset(); }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& other) noexcept : h_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  H get() const { return h_; }
  explicit operator bool() const { return Valid(h_); }
  H release() { return std::exchange(h_, H{}); }
  void reset(H h = H{}) {
    const H old = std::exchange(h_, h);
    if (Valid(old)) Free(old);
  }

 private:
  static bool Valid(H h) { return h && h != reinterpret_cast<H>(Invalid); }
  H h_{};
};

using UniqueHandle = Unique<HANDLE, &::CloseHandle, -1>;
using UniqueFind = Unique<HANDLE, &::FindClose, -1>;
using UniqueRegKey = Unique<HKEY, &::RegCloseKey>;
using UniqueWindow = Unique<HWND, &::DestroyWindow>;
using UniqueFont = Unique<HFONT, &::DeleteObject>;
using UniqueBrush = Unique<HBRUSH, &::DeleteObject>;
using UniquePen = Unique<HPEN, &::DeleteObject>;
using UniqueBitmap = Unique<HBITMAP, &::DeleteObject>;
using UniqueIcon = Unique<HICON, &::DestroyIcon>;
using UniqueMemoryDc = Unique<HDC, &::DeleteDC>;

// A handle freed through a function looked up at run time (WinHTTP's), of
// which the owner keeps its own copy: a thread that owns one reads nothing
// shared.
template <typename H, typename FreeFn>
class UniqueThrough {
 public:
  UniqueThrough(FreeFn free, H h) : free_(free), h_(h) {}
  ~UniqueThrough() {
    if (h_) free_(h_);
  }
  UniqueThrough(const UniqueThrough&) = delete;
  UniqueThrough& operator=(const UniqueThrough&) = delete;
  H get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  FreeFn free_;
  H h_;
};

// An icon of `module`'s resources drawn at `px` pixels. Null `module`: one
// of the system's (IDI_WARNING), which Windows lends shared; ours is a copy.
UniqueIcon LoadIconAt(HINSTANCE module, const wchar_t* name, int px);

// A window's device context, from GetDC, for as long as the scope lasts.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The painting of a window, from BeginPaint to EndPaint.
class Paint {
 public:
  explicit Paint(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
  ~Paint() { EndPaint(window_, &ps_); }
  Paint(const Paint&) = delete;
  Paint& operator=(const Paint&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// An object selected into a device context for as long as the scope lasts;
// the one it replaced is put back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~ScopedSelect() { SelectObject(dc_, old_); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// An empty card reader or CD drive, or a network drive that is gone, fails
// quietly for as long as the scope lasts, instead of raising Windows' "no
// disk in drive" box.
class QuietDriveErrors {
 public:
  QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
  ~QuietDriveErrors() { SetThreadErrorMode(previous_, nullptr); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  DWORD previous_ = 0;
};

}  // namespace orvando::win32
