#pragma once
// Whole-window layout checks, run by each window's own tests at the screen's
// DPI and by the DPI fallback test at other system DPIs.
#include <windows.h>

namespace orvando::test {

// A rectangle given in twips, in pixels at `dpi`.
inline RECT Px(int left, int top, int width, int height, int dpi = 96) {
  const auto p = [dpi](int t) { return MulDiv(t, dpi, 1440); };
  return {p(left), p(top), p(left) + p(width), p(top) + p(height)};
}

// The client area and every control's rectangle and text, at `dpi`.
void ExpectMainWindowAsDesigned(int dpi);
void ExpectInstallWindowAsDesigned(int dpi);

}  // namespace orvando::test
