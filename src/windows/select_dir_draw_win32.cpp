#include "windows/select_dir_draw_win32.h"

#include <algorithm>

#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {
namespace {

// A folder glyph drawn in a square of `size` pixels at (x, y): closed, or
// open with its front flap tilted.
void DrawFolderGlyph(HDC dc, int x, int y, int size, bool open) {
  const int u = size / 16 > 0 ? size / 16 : 1;
  const UniqueBrush fill(CreateSolidBrush(RGB(255, 214, 90)));
  const UniquePen pen(CreatePen(PS_SOLID, u, RGB(128, 96, 0)));
  const ScopedSelect brush(dc, fill.get());
  const ScopedSelect outline(dc, pen.get());
  const POINT back[] = {{x + u, y + 3 * u},      {x + 6 * u, y + 3 * u},   {x + 7 * u, y + 5 * u},
                        {x + 14 * u, y + 5 * u}, {x + 14 * u, y + 13 * u}, {x + u, y + 13 * u}};
  Polygon(dc, back, 6);
  if (open) {
    const POINT flap[] = {{x + 3 * u, y + 7 * u},
                          {x + 15 * u, y + 7 * u},
                          {x + 13 * u, y + 13 * u},
                          {x + u, y + 13 * u}};
    Polygon(dc, flap, 4);
  }
}

}  // namespace

int FolderLineHeight(UINT dpi) {
  return MulDiv(16, static_cast<int>(dpi), 96);
}

void DrawFolderLine(const DRAWITEMSTRUCT& item, const FolderEntry& entry, UINT dpi) {
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
  const int glyph = FolderLineHeight(dpi);
  const int x = r.left + MulDiv(2 + 8 * entry.depth, static_cast<int>(dpi), 96);
  DrawFolderGlyph(dc, x, r.top, glyph, entry.open);

  const std::wstring name = Widen(entry.name);
  RECT text{x + glyph + MulDiv(2, static_cast<int>(dpi), 96), r.top, r.right, r.bottom};
  SIZE extent{};
  GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &extent);
  text.right = std::min<LONG>(r.right, text.left + extent.cx + 4);
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(dc, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT inner = text;
  inner.left += 2;
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &inner,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &text);
}

}  // namespace orvando::win32
