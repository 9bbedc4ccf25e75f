#include "platform/win32/dpi_win32.h"

#include "platform/win32/dyn_calls_win32.h"

namespace orvando::win32 {

int TwipsToPx(int twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), 1440);
}

RECT ToPixels(const TwipsRect& r, UINT dpi) {
  const int left = TwipsToPx(r.left, dpi);
  const int top = TwipsToPx(r.top, dpi);
  return {left, top, left + TwipsToPx(r.width, dpi), top + TwipsToPx(r.height, dpi)};
}

UINT DpiOf(HWND window) {
  const NewerApi& api = Newer();
  const UINT dpi = window && api.GetDpiForWindow ? api.GetDpiForWindow(window) : 0;
  return dpi ? dpi : SystemDpi();
}

UINT SystemDpi() {
  const NewerApi& api = Newer();
  const UINT dpi = api.GetDpiForSystem ? api.GetDpiForSystem() : api.screen_dpi;
  return dpi ? dpi : 96;
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD ex_style, bool has_menu, UINT dpi) {
  if (auto adjust = Newer().AdjustWindowRectExForDpi) {
    adjust(&rect, style, has_menu, ex_style, dpi);
  } else {
    // Before Windows 10 1607 the frame is drawn at the system DPI, the one
    // every window is laid out at there.
    AdjustWindowRectEx(&rect, style, has_menu, ex_style);
  }
}

void FitFrameToClient(HWND window, int client_width, int client_height, UINT dpi,
                      const POINT* client_origin) {
  RECT frame{0, 0, TwipsToPx(client_width, dpi), TwipsToPx(client_height, dpi)};
  if (client_origin)
    OffsetRect(&frame, TwipsToPx(client_origin->x, dpi), TwipsToPx(client_origin->y, dpi));
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  AdjustWindowRectForDpi(frame, style, ex_style, GetMenu(window) != nullptr, dpi);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (!client_origin) flags |= SWP_NOMOVE;
  SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left,
               frame.bottom - frame.top, flags);
}

UniqueFont CreatePointFont(const FontSpec& font, UINT dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(font.points * dpi / 72.0 + 0.5);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, font.face, LF_FACESIZE);
  return UniqueFont(CreateFontIndirectW(&lf));
}

void PlaceChild(HWND child, const TwipsRect& r, UINT dpi) {
  const RECT px = ToPixels(r, dpi);
  SetWindowPos(child, nullptr, px.left, px.top, px.right - px.left, px.bottom - px.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace orvando::win32
