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

// Whether `window` stands in the middle of the work area (the primary
// screen's, the only one under Wine), to the pixel.
inline bool CentredOnWorkArea(HWND window) {
  RECT work, frame;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(window, &frame);
  return abs(frame.left - work.left - (work.right - frame.right)) <= 1 &&
         abs(frame.top - work.top - (work.bottom - frame.bottom)) <= 1;
}

// The client area and every control's rectangle and text, at `dpi`.
void ExpectMainWindowAsDesigned(int dpi);
void ExpectInstallWindowAsDesigned(int dpi);

}  // namespace orvando::test
