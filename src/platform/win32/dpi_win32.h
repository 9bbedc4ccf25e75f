#pragma once
// Sizes are written once in twips (1/1440 inch) and scaled here, at the
// window's own DPI: px = twips * dpi / 1440.
//
// Windows 10 1607 and later tell each window's DPI (per monitor). Older
// systems lack those functions: every window then stands at the system DPI
// (96, 120, 144...), and the frame is the system's own.

#include <windows.h>

#include <string>

#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {

int TwipsToPx(int twips, UINT dpi);

struct TwipsRect {
  int left, top, width, height;
};
RECT ToPixels(const TwipsRect& r, UINT dpi);

// The DPI of a window (the system DPI when the system cannot tell).
UINT DpiOf(HWND window);
// The DPI of the primary monitor, for windows that don't exist yet.
UINT SystemDpi();

// Grows a client rectangle to the window rectangle of that style, at `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD ex_style, bool has_menu, UINT dpi);

// Gives a top-level window, once created, the frame whose client area is
// `client_width` x `client_height` twips at `dpi`, the window's own: before
// it exists only the system DPI is known, and a window that opens on a
// screen of another scale would keep a frame of the wrong size. With
// `client_origin` (twips from the screen's top-left corner), the client area
// is placed there too; otherwise the window keeps its top-left corner. The
// style, and whether there is a menu bar, are the window's own.
void FitFrameToClient(HWND window, int client_width, int client_height, UINT dpi,
                      const POINT* client_origin = nullptr);

// A font of our windows: "MS Sans Serif" (or `face`), `points` high.
struct FontSpec {
  double points = 8;
  bool bold = false;
  bool underline = false;
  const wchar_t* face = L"MS Sans Serif";
  friend bool operator==(const FontSpec& a, const FontSpec& b) {
    return a.points == b.points && a.bold == b.bold && a.underline == b.underline &&
           lstrcmpW(a.face, b.face) == 0;
  }
};
UniqueFont CreatePointFont(const FontSpec& font, UINT dpi);

// Moves a child control to its twips rectangle at `dpi`.
void PlaceChild(HWND child, const TwipsRect& r, UINT dpi);

}  // namespace orvando::win32
