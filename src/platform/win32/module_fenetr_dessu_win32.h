#pragma once
// ModuleFenetrDessu: keeping a window above all others.

#include <windows.h>

namespace orvando::win32::ModuleFenetrDessu {

inline const HWND kInsertTopmost = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));
// SWP_NOSIZE (1) + SWP_NOMOVE (2) + SWP_NOACTIVATE (16)
inline constexpr UINT kTopmostFlags = 19;

// Makes `window` topmost without moving, sizing or activating it.
inline BOOL MakeTopmost(HWND window) {
  return ::SetWindowPos(window, kInsertTopmost, 0, 0, 0, 0, kTopmostFlags);
}

}  // namespace orvando::win32::ModuleFenetrDessu
